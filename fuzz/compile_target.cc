// Fuzz target: any bytes as shape source text. The first byte picks the
// options, the rest is the text. Where the text compiles, the font is
// decompiled and its text compiled again with the same options, and the
// two fonts must be the same bytes: the fuzzer hunts round-trip faults too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compile_source.h"
#include "tools/morlune/run.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"

namespace {

// Bits 0 and 1: the decompiler's -d and -e. Bit 2: --drop-default-names.
// Bit 3: --take-counted. Bits 4 to 6: no --variant, or one of the four.
const char* const kDecompileOptions[4] = {nullptr, "-d", "-e", "-de"};

// A font written from a text with an empty name comes back with its
// default name, which is not the same bytes; only such fonts are left out.
bool HasEmptyName(const std::string& font) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(font.data());
  morlune::Variant kind = morlune::Variant::kShapes11;
  std::size_t head = 0;
  for (int k = 0; k < 4; ++k) {
    std::string_view signature = morlune::kShapeFileSignatures[k];
    if (font.compare(0, signature.size(), signature) == 0) {
      kind = static_cast<morlune::Variant>(k);
      head = signature.size() + 1;
    }
  }
  morlune::FontWalk walk = morlune::WalkFontRecords(bytes, font.size(), head, kind);
  for (const morlune::WalkedRecord& record : walk.records) {
    if (record.nameLength == 0) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  unsigned choice = data[0];
  morlune::CompileOptions options;
  options.dropDefaultNames = (choice >> 2) & 1;
  options.takeCounted = (choice >> 3) & 1;
  unsigned variant = (choice >> 4) & 7;
  if (variant >= 1 && variant <= 4) options.variant = static_cast<morlune::Variant>(variant - 1);
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  morlune::Diagnostics diagnostics;
  std::optional<std::string> font = morlune::CompileSource(text, options, diagnostics);
  if (!font || (!options.dropDefaultNames && HasEmptyName(*font))) return 0;

  const char* flags = kDecompileOptions[choice & 3];
  const char* argv[3] = {"morlune", flags, nullptr};
  std::string decompiled;
  morlune::ToolStreams streams;
  streams.inputData = reinterpret_cast<const unsigned char*>(font->data());
  streams.inputSize = font->size();
  streams.outputCapture = &decompiled;
  streams.errorFd = -1;
  morlune::RunMorlune(flags != nullptr ? 2 : 1, argv, streams);

  morlune::Diagnostics again;
  std::optional<std::string> second = morlune::CompileSource(decompiled, options, again);
  if (!second || *second != *font) std::abort();
  return 0;
}
