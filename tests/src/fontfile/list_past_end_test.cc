// A code 9 list that the end of input cuts: every pair after the end reads as
// (0xFF, 0xFF) and lowers the counter by 2 until it is spent, so the reading
// ends the record (not the font) and the input stays at its end. A sink that
// keeps items is shown every such pair; one that keeps nothing, none, with
// the same ending; and a file read to its end the same as memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fontfile/shape_items.h"
#include "platform/byte_input.h"
#include "platform/file_io.h"
#include "tests/support/process_run.h"

namespace morlune {
namespace {

using Bytes = std::vector<unsigned char>;

// Counts the list entries and keeps the last.
struct EntryCount {
  int entries = 0;
  std::pair<int, int> last{-1, -1};
  void Vector(int) {}
  void Item(const ShapeItem&, std::int16_t) {}
  void ListStart(int) {}
  void ListEntry(const int* values, int) {
    ++entries;
    last = {values[0], values[1]};
  }
};

struct Row {
  const char* what;
  Bytes bytes;
  int counter;
  int result;   // 1: the record is over; 0: the input ended where a code was due
  int entries;  // pairs shown, the closing pair included
  std::pair<int, int> last;
};

TEST(ReadShapeItems, ListCutByTheEndOfInput) {
  const std::vector<Row> rows = {
      // 7 - 1 - 2 leaves 4: two pairs past the end.
      {"two pairs past the end", {9, 1, 2}, 7, 1, 3, {0xFF, 0xFF}},
      // 6 - 3 leaves 3: the second pair past the end takes it below 0.
      {"an odd counter left", {9, 1, 2}, 6, 1, 3, {0xFF, 0xFF}},
      {"the end inside a pair", {9, 1, 2, 3}, 9, 1, 4, {0xFF, 0xFF}},
      {"the end right after the lead-in", {9}, 5, 1, 2, {0xFF, 0xFF}},
      // 32767 - 3 leaves 32764: 16382 pairs past the end.
      {"the largest counter", {9, 1, 2}, 32767, 1, 16383, {0xFF, 0xFF}},
      {"closed before the end", {9, 1, 2, 0, 0}, 9, 0, 2, {0, 0}},
      {"the counter spent before the end", {9, 1, 2, 3, 4}, 3, 1, 1, {1, 2}},
  };
  const std::string path = testing::MakeTempDir() + "/spec";
  for (const Row& row : rows) {
    const auto counter = static_cast<std::int16_t>(row.counter);
    ByteInput kept;
    kept.AttachMemory(row.bytes.data(), row.bytes.size());
    EntryCount sink;
    EXPECT_EQ(ReadShapeItems(kept, Variant::kShapes11, counter, sink), row.result) << row.what;
    EXPECT_EQ(std::pair(sink.entries, sink.last), std::pair(row.entries, row.last)) << row.what;

    ByteInput skipped;
    skipped.AttachMemory(row.bytes.data(), row.bytes.size());
    SkipItems skip;
    EXPECT_EQ(ReadShapeItems(skipped, Variant::kShapes11, counter, skip), row.result) << row.what;
    EXPECT_EQ(skipped.Tell(), kept.Tell()) << row.what;

    testing::WriteFileBytes(path, std::string(row.bytes.begin(), row.bytes.end()));
    ByteInput file;
    file.AttachFd(OpenForReading(path.c_str()), true);
    EntryCount fromFile;
    EXPECT_EQ(ReadShapeItems(file, Variant::kShapes11, counter, fromFile), row.result) << row.what;
    EXPECT_EQ(std::pair(fromFile.entries, fromFile.last), std::pair(row.entries, row.last)) << row.what;
  }
  std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

}  // namespace
}  // namespace morlune
