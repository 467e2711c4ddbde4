// WOFF2 packing through the woff2 encoder.
#include "convert/opentype/woff2_file.h"

#include <woff2/encode.h>

#include "platform/quiet_standard_error.h"

namespace morlune::convert {

std::optional<std::vector<std::uint8_t>> Woff2File(std::span<const std::uint8_t> trueType) {
  std::size_t room = woff2::MaxWOFF2CompressedSize(trueType.data(), trueType.size());
  std::vector<std::uint8_t> packed(room);
  std::size_t length = room;
  bool packedWhole = false;
  {
    // The encoder as Debian builds it reports each font's compression on
    // the standard error stream, which belongs to the tool's messages.
    QuietStandardError quiet;
    packedWhole = woff2::ConvertTTFToWOFF2(trueType.data(), trueType.size(), packed.data(), &length);
  }
  if (!packedWhole || length > room) return std::nullopt;
  packed.resize(length);
  return packed;
}

}  // namespace morlune::convert
