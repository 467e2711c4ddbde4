// The walk of a font in memory: the reader's record loop with the
// decompiler's reading of each record, keeping only where things are.
#include "fontfile/record_walk.h"

#include "fontfile/shape_items.h"

namespace morlune {

FontWalk WalkFontRecords(const unsigned char* data, std::size_t size, std::size_t headStart, Variant kind) {
  FontWalk walk;
  ByteInput input;
  input.AttachMemory(data, size);
  input.SeekTo(static_cast<std::int64_t>(headStart));
  FontReader reader(input, kind);
  walk.head = reader.ReadHead();
  if (walk.head != HeadResult::kReady) return walk;
  walk.escapeRanges = reader.EscapeRanges();
  std::size_t announced = reader.RecordsLeft(), visited = 0;
  ShapeRecordHead head;
  for (;;) {
    RecordStep step = reader.NextShapeRecord(head);
    if (step == RecordStep::kSkip) {
      ++visited;
      continue;
    }
    if (step != RecordStep::kReady) {
      walk.end = step;
      break;
    }
    ++visited;
    WalkedRecord record;
    record.code = head.code;
    record.counter = head.counter;
    record.nameOffset = static_cast<std::size_t>(head.nameOffset);
    record.nameLength = static_cast<std::size_t>(head.nameLength);
    record.specOffset = static_cast<std::size_t>(input.Tell());
    std::size_t held = size - record.specOffset;
    std::size_t declared = head.counter > 0 ? static_cast<std::size_t>(head.counter) : 0;
    record.specSize = declared < held ? declared : held;
    walk.records.push_back(record);
    if (head.code == 0) {
      int values[6];
      reader.ReadFontHeaderValues(values);
      continue;
    }
    SkipItems skip;
    if (!ReadShapeItems(input, kind, head.counter, skip)) break;
  }
  walk.unreached = announced > visited ? announced - visited : 0;
  return walk;
}

}  // namespace morlune
