// The container layouts of the four variants.
#include "fontfile/font_body.h"

#include "driver/message_catalog.h"
#include "fontfile/bigfont_index.h"
#include "fontfile/container_words.h"
#include "fontfile/index_blocks.h"
#include "source/shape_record.h"

namespace morlune {
namespace {

constexpr std::uint16_t kBigfontEntrySizeWord = kBigfontIndexEntrySize;

void DumpShapesBody(DumpContext& context) {
  // Two words that the dump has no use for.
  for (int skipped = 0; skipped < 4; ++skipped) context.input.Get();
  std::uint16_t count = ReadWord(context.input);

  // A count above what a compiled shapes file usually holds is still read in
  // full: the table takes every entry the count announces.
  context.shapeIndex.clear();
  context.shapeIndex.reserve(count);
  bool whole = ReadIndexBlocks(context.input, count, kShapeIndexEntrySize, [&context](const unsigned char* entry) {
    context.shapeIndex.push_back({WordAt(entry), WordAt(entry + 2)});
  });
  if (!whole) {
    ReportMessage(context, IDS_NO_SHAPE_INDEX);
    return;
  }
  context.shapeCursor = 0;
  RunShapeLoop(context, count);
}

void DumpBigfontBody(DumpContext& context) {
  if (ReadWord(context.input) != kBigfontEntrySizeWord) {
    ReportMessage(context, IDS_BAD_ENTRY_SIZE);
    return;
  }
  std::uint16_t entryCount = ReadWord(context.input);
  std::uint16_t rangeCount = ReadWord(context.input);
  context.escapeRanges.resize(rangeCount);
  context.escapeRangeCount = rangeCount;
  for (EscapeRange& range : context.escapeRanges) {
    range.first = ReadWord(context.input);
    range.last = ReadWord(context.input);
  }
  if (!LoadBigfontIndex(context, static_cast<std::int16_t>(entryCount))) {
    ReportMessage(context, IDS_NO_HASH_TABLE);
    return;
  }
  context.bigfontCursor = 0;
  RunShapeLoop(context, entryCount);
}

}  // namespace

void RunShapeLoop(DumpContext& context, std::uint16_t count) {
  while (count > 0) {
    --count;
    if (!DumpShape(context)) return;
  }
}

void DumpFontBody(DumpContext& context) {
  switch (context.kind) {
    case ShapeFileKind::kShapes10:
    case ShapeFileKind::kShapes11:
      DumpShapesBody(context);
      return;
    case ShapeFileKind::kBigfont10:
      DumpBigfontBody(context);
      return;
    case ShapeFileKind::kUnifont10:
      RunShapeLoop(context, ReadWord(context.input));
      return;
    case ShapeFileKind::kUnknown:
      return;
  }
}

}  // namespace morlune
