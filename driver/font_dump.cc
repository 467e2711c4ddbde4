// The record loop of a dump: the reader hands each record out, the source
// text writers write it.
#include "driver/font_dump.h"

#include "driver/message_catalog.h"
#include "fontfile/shape_items.h"
#include "source/record_text.h"
#include "source/spec_text.h"

namespace morlune {

int DecodeShapeSpec(DumpContext& context, SourceWriter& writer, std::int16_t counter) {
  SpecTextSink sink{writer, context.decimalCodes != 0};
  int result = ReadShapeItems(context.input, context.kind, counter, sink);
  sink.Finish(writer);
  return result;
}

int DumpShape(DumpContext& context, FontReader& reader, SourceWriter& writer) {
  ShapeRecordHead head;
  switch (reader.NextShapeRecord(head)) {
    case RecordStep::kReady:
      break;
    case RecordStep::kSkip:
      return 1;
    case RecordStep::kEnd:
      return 0;
    case RecordStep::kSeekError:
      ReportError(context, "Seek error");
      return 0;
  }
  EscapeNameBuffer escapeName;
  std::string_view name = NameOrDefault(head, context.escapedNames != 0, escapeName);
  if (head.code == 0) {
    int values[6];
    reader.ReadFontHeaderValues(values);
    WriteFontHeaderLines(writer, context.kind, head, name, values, {reader.NonEmptyCount(), &reader.EscapeRanges()});
    return 1;
  }
  WriteShapeHeaderLine(writer, head, name, context.decimalCodes != 0);
  return DecodeShapeSpec(context, writer, head.counter);
}

void DumpFontBody(DumpContext& context) {
  FontReader reader(context.input, context.kind);
  switch (reader.ReadHead()) {
    case HeadResult::kReady:
      break;
    case HeadResult::kNoShapeIndex:
      ReportMessage(context, IDS_NO_SHAPE_INDEX);
      return;
    case HeadResult::kNoHashTable:
      ReportMessage(context, IDS_NO_HASH_TABLE);
      return;
    case HeadResult::kBadEntrySize:
      ReportMessage(context, IDS_BAD_ENTRY_SIZE);
      return;
  }
  SourceWriter writer(context.output);
  // Once the output has refused a write, the rest would be dropped.
  while (DumpShape(context, reader, writer) && !context.output.Failed()) {
  }
}

}  // namespace morlune
