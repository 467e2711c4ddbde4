// Signature recognition: the head of the file is text up to the byte 0x1A.
#include "fontfile/signature.h"

#include <cstring>

namespace morlune {
namespace {
constexpr int kSignatureEnd = 0x1A;
constexpr int kMaxSignatureBytes = 99;
}  // namespace

const char* const kShapeFileSignatures[4] = {
    "Vormald-86 shapes 1.0\r\n",
    "Vormald-86 shapes 1.1\r\n",
    "Vormald-86 bigfont 1.0\r\n",
    "Vormald-86 unifont 1.0\r\n",
};

std::string_view SignatureVariantName(Variant variant) {
  std::string_view signature = kShapeFileSignatures[static_cast<int>(variant)];
  std::size_t first = signature.find(' ') + 1;
  return signature.substr(first, signature.size() - 2 - first);
}

std::optional<Variant> IdentifyShapeFile(ByteInput& input) {
  char head[kMaxSignatureBytes + 1];
  int stored = 0;
  while (stored < kMaxSignatureBytes) {
    int byte = input.Get();
    if (byte == kEndOfInput || byte == kSignatureEnd) break;
    head[stored++] = static_cast<char>(byte);
  }
  head[stored] = '\0';
  // A zero byte ends the compared text; whatever follows it takes no part.
  for (int kind = 0; kind < 4; ++kind) {
    if (std::strcmp(head, kShapeFileSignatures[kind]) == 0) return static_cast<Variant>(kind);
  }
  return std::nullopt;
}

}  // namespace morlune
