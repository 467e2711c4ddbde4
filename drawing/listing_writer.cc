// Listing lines: "CODE<tab>x,y<tab>path data".
#include "drawing/listing_writer.h"

#include "drawing/draw_session.h"
#include "drawing/path_text.h"

namespace morlune {

std::vector<int> DrawnRecords(const DrawingFont& font, CodeRange codes) {
  std::vector<int> records;
  for (int i = 0; i < font.RecordCount(); ++i) {
    if (font.Code(i) != 0 && codes.Holds(font.Code(i))) records.push_back(i);
  }
  return records;
}

void WriteRecordListing(DrawingFont& font, const std::vector<int>& records, TextOutput& out,
                        DrawMessages& messages, const DrawLimits& limits) {
  DrawSession session(font, &messages, limits);
  PathText path;
  std::string line;
  for (int record : records) {
    path.Clear();
    Point advance = session.Draw(record, path);
    line = CodeText(font.Code(record));
    line += '\t';
    AppendDecimal(line, advance.x);
    line += ',';
    AppendDecimal(line, advance.y);
    line += '\t';
    out.Write(line);
    out.Write(path.Text());
    out.Put('\n');
  }
}

void WriteFontListing(DrawingFont& font, CodeRange codes, TextOutput& out, DrawMessages& messages,
                      const DrawLimits& limits) {
  WriteRecordListing(font, DrawnRecords(font, codes), out, messages, limits);
}

}  // namespace morlune
