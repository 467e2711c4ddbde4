// Recognition of the four variants by the text at the head of the file,
// and where recognition leaves the input.
#include "fontfile/signature.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morlune {
namespace {

using Bytes = std::vector<unsigned char>;
constexpr int kEnd = kEndOfInput;

const std::string kShapes10 = "Vormald-86 shapes 1.0\r\n";
const std::string kShapes11 = "Vormald-86 shapes 1.1\r\n";
const std::string kBigfont = "Vormald-86 bigfont 1.0\r\n";
const std::string kUnifont = "Vormald-86 unifont 1.0\r\n";

Bytes Head(const std::string& text, Bytes after = {}) {
  Bytes bytes(text.begin(), text.end());
  bytes.insert(bytes.end(), after.begin(), after.end());
  return bytes;
}

// The text, a zero byte, then filler bytes that hold neither 0 nor 0x1A.
Bytes ZeroThenFiller(const std::string& text, int filler, Bytes after) {
  Bytes bytes = Head(text, {0});
  for (int i = 0; i < filler; ++i) bytes.push_back(static_cast<unsigned char>('a' + i % 26));
  bytes.insert(bytes.end(), after.begin(), after.end());
  return bytes;
}

TEST(IdentifyShapeFile, Heads) {
  Bytes long_head;
  for (int i = 0; i < 150; ++i) long_head.push_back(static_cast<unsigned char>('A' + i % 26));
  long_head[99] = 0x55;
  Bytes zero_inside = Head(kShapes11, {0x1A, 0x55});
  zero_inside[14] = 0;

  const struct {
    const char* what;
    Bytes bytes;
    ShapeFileKind kind;
    int next;
  } cases[] = {
      {"shapes 1.0", Head(kShapes10, {0x1A, 0x55}), ShapeFileKind::kShapes10, 0x55},
      {"shapes 1.1", Head(kShapes11, {0x1A, 0x55}), ShapeFileKind::kShapes11, 0x55},
      {"bigfont 1.0", Head(kBigfont, {0x1A, 0x55}), ShapeFileKind::kBigfont10, 0x55},
      {"unifont 1.0", Head(kUnifont, {0x1A, 0x55}), ShapeFileKind::kUnifont10, 0x55},
      {"nothing after the 0x1A", Head(kUnifont, {0x1A}), ShapeFileKind::kUnifont10, kEnd},
      {"no 0x1A at all", Head(kBigfont), ShapeFileKind::kBigfont10, kEnd},
      {"bare line feed", Head("Vormald-86 shapes 1.1\n", {0x1A, 0x55}), ShapeFileKind::kUnknown, 0x55},
      {"no line feed", Head("Vormald-86 shapes 1.1\r", {0x1A, 0x55}), ShapeFileKind::kUnknown, 0x55},
      {"letter case", Head("Vormald-86 Shapes 1.1\r\n", {0x1A}), ShapeFileKind::kUnknown, kEnd},
      {"trailing space", Head(kShapes11 + " ", {0x1A, 0x55}), ShapeFileKind::kUnknown, 0x55},
      {"leading space", Head(" " + kShapes11, {0x1A}), ShapeFileKind::kUnknown, kEnd},
      {"other version", Head("Vormald-86 shapes 1.2\r\n", {0x1A}), ShapeFileKind::kUnknown, kEnd},
      {"upper half byte", Head("Vormald-86 shapes 1.1\r\n\xE9", {0x1A}), ShapeFileKind::kUnknown, kEnd},
      {"zero then 74 bytes", ZeroThenFiller(kShapes11, 74, {0x1A, 0x55}), ShapeFileKind::kShapes11, 0x55},
      {"zero then 75 bytes", ZeroThenFiller(kShapes11, 75, {0x1A, 0x55}), ShapeFileKind::kShapes11, 0x1A},
      {"zero then 76 bytes", ZeroThenFiller(kShapes11, 76, {0x1A}), ShapeFileKind::kShapes11, 'a' + 75 % 26},
      {"bigfont, zero then 74", ZeroThenFiller(kBigfont, 74, {0x55}), ShapeFileKind::kBigfont10, 0x55},
      {"zero inside the text", zero_inside, ShapeFileKind::kUnknown, 0x55},
      {"zero first", Head(std::string(1, '\0') + kShapes11, {0x1A, 0x55}), ShapeFileKind::kUnknown, 0x55},
      {"0x1A first", Head("\x1A" + kShapes11), ShapeFileKind::kUnknown, 'V'},
      {"empty", {}, ShapeFileKind::kUnknown, kEnd},
      {"99 bytes then 0x1A", Head(std::string(99, 'V'), {0x1A}), ShapeFileKind::kUnknown, 0x1A},
      {"150 bytes without 0x1A", long_head, ShapeFileKind::kUnknown, 0x55},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DumpContext context;
    context.input.AttachMemory(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(IdentifyShapeFile(context), c.kind);
    EXPECT_EQ(context.input.Get(), c.next);
  }
}

}  // namespace
}  // namespace morlune
