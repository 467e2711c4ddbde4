// Listing lines: "CODE<tab>x,y<tab>path data".
#include "drawing/listing_writer.h"

#include "drawing/draw_session.h"

namespace morlune {
namespace {

void WriteLine(int code, Point advance, const PathText& path, std::string& line, TextOutput& out) {
  line = CodeHex(code);
  line += '\t';
  AppendDecimalPair(line, advance.x, ',', advance.y);
  line += '\t';
  out.Write(line);
  out.Write(path.Text());
  out.Put('\n');
}

}  // namespace

std::vector<int> DrawnRecords(const DrawingFont& font, CodeRange codes) {
  std::vector<int> records;
  for (int i = 0; i < font.RecordCount(); ++i) {
    if (font.Code(i) != 0 && codes.Holds(font.Code(i))) records.push_back(i);
  }
  return records;
}

void WriteFontListing(DrawingFont& font, CodeRange codes, TextOutput& out, DrawMessages& messages,
                      const DrawLimits& limits) {
  DrawSession session(font, &messages, limits);
  // The path data are written as the pen draws, with no glyph kept between.
  PathText path;
  std::string line;
  for (int record : DrawnRecords(font, codes)) {
    path.Clear();
    Point advance = session.Draw(record, path);
    WriteLine(font.Code(record), advance, path, line, out);
  }
}

void ListingLines::Write(int code, Point advance, std::span<const Path> paths, TextOutput& out) {
  path_.Clear();
  path_.Write(paths);
  WriteLine(code, advance, path_, line_, out);
}

}  // namespace morlune
