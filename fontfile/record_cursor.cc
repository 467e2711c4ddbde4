// The record cursor of each variant.
#include "fontfile/record_cursor.h"

#include "driver/message_catalog.h"
#include "fontfile/container_words.h"

namespace morlune {

RecordStep NextShapeRecord(DumpContext& context, ShapeRecordPlace& place) {
  switch (context.kind) {
    case ShapeFileKind::kShapes10:
    case ShapeFileKind::kShapes11: {
      // The shape loop never asks for more records than the index holds.
      if (static_cast<std::size_t>(context.shapeCursor) >= context.shapeIndex.size()) return RecordStep::kStop;
      const ShapeIndexEntry& entry = context.shapeIndex[static_cast<std::size_t>(context.shapeCursor++)];
      place.code = entry.code;
      place.length = entry.length;
      return RecordStep::kReady;
    }
    case ShapeFileKind::kBigfont10: {
      if (static_cast<std::size_t>(context.bigfontCursor) >= context.bigfontIndex.size()) return RecordStep::kStop;
      const BigfontIndexEntry& entry = context.bigfontIndex[static_cast<std::size_t>(context.bigfontCursor++)];
      if (entry.length == 0) return RecordStep::kSkip;
      // The offset is a signed 32-bit position: 0x80000000 and above cannot
      // be reached.
      if (!context.input.SeekTo(static_cast<std::int32_t>(entry.offset))) {
        ReportError(context, "Seek error");
        return RecordStep::kStop;
      }
      place.code = entry.code;
      place.length = entry.length;
      return RecordStep::kReady;
    }
    case ShapeFileKind::kUnifont10:
      place.code = ReadWord(context.input);
      place.length = ReadWord(context.input);
      return RecordStep::kReady;
    case ShapeFileKind::kUnknown:
      break;
  }
  return RecordStep::kStop;
}

}  // namespace morlune
