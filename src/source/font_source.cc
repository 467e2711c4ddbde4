// The record loop of the source text: the reader hands each record out, the
// header lines and the items are written.
#include "source/font_source.h"

#include "fontfile/shape_items.h"
#include "source/record_text.h"
#include "source/spec_text.h"

namespace morlune {
namespace {

enum class RecordResult { kNext, kStop, kSeekFailed };

RecordResult DumpShape(FontReader& reader, SourceWriter& writer, const SourceTextOptions& options) {
  ShapeRecordHead head;
  switch (reader.NextShapeRecord(head)) {
    case RecordStep::kReady:
      break;
    case RecordStep::kSkip:
      return RecordResult::kNext;
    case RecordStep::kEnd:
      return RecordResult::kStop;
    case RecordStep::kSeekError:
      return RecordResult::kSeekFailed;
  }
  EscapeNameBuffer escapeName;
  std::string_view name = NameOrDefault(head, options.escapedNames, escapeName);
  if (head.code == 0) {
    int values[6];
    reader.ReadFontHeaderValues(values);
    WriteFontHeaderLines(writer, reader.Kind(), head, name, values, {reader.NonEmptyCount(), &reader.EscapeRanges()});
    return RecordResult::kNext;
  }
  WriteShapeHeaderLine(writer, head.code, head.counter, name, options.decimalCodes);
  bool more = DecodeShapeSpec(reader.Input(), reader.Kind(), writer, options.decimalCodes, head.counter) != 0;
  return more ? RecordResult::kNext : RecordResult::kStop;
}

}  // namespace

int DecodeShapeSpec(ByteInput& input, Variant kind, SourceWriter& writer, bool decimalCodes,
                    std::int16_t counter) {
  SpecTextSink sink{writer, decimalCodes};
  int result = ReadShapeItems(input, kind, counter, sink);
  sink.Finish(writer);
  return result;
}

FontSourceEnd WriteFontSource(FontReader& reader, SourceWriter& writer, const SourceTextOptions& options) {
  FontSourceEnd end;
  end.head = reader.ReadHead();
  if (end.head != HeadResult::kReady) return end;
  for (;;) {
    RecordResult result = DumpShape(reader, writer, options);
    if (result == RecordResult::kSeekFailed) end.seekFailed = true;
    if (result != RecordResult::kNext) break;
    // Once the output has refused a write, the rest would be dropped.
    if (writer.output.Failed()) {
      end.outputFailed = true;
      break;
    }
  }
  return end;
}

}  // namespace morlune
