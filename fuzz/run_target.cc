// Fuzz target: one whole run over a compiled font held in memory. The first
// byte picks the option set; the rest is the font, read as standard input.
// Output and errors are thrown away, but for a plain font: its text must
// compile to a font whose text is the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "compiler/compile_source.h"
#include "tools/common/tool_exit_status.h"
#include "tools/morlune/run.h"
#include "fuzz/plain_font.h"
#include "platform/file_io.h"

namespace {

// Low two bits of the first byte: none, -d, -e, or both.
const char* const kOptionSets[4] = {nullptr, "-d", "-e", "-de"};

#ifdef _WIN32
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

// Output and errors go to the null device rather than nowhere, so that
// every byte a run writes passes through the system's write call, where
// valgrind checks that each one was set. Opened once for all runs.
int NullDevice() {
  static const int fd = morlune::OpenForWriting(kNullDevice);
  return fd;
}

// A run of morlune over the font, its text kept where text is not null.
int Decompile(const char* options, const unsigned char* font, std::size_t size, std::string* text) {
  const char* argv[3] = {"morlune", options, nullptr};
  morlune::ToolStreams streams;
  streams.inputData = font;
  streams.inputSize = size;
  streams.outputFd = NullDevice();
  streams.outputCapture = text;
  streams.errorFd = NullDevice();
  int status = morlune::RunMorlune(options != nullptr ? 2 : 1, argv, streams);
  // A font run ends only as recognised or not recognised.
  using morlune::ExitNumber, morlune::ExitStatus;
  if (status != ExitNumber(ExitStatus::kDone) && status != ExitNumber(ExitStatus::kRefused)) std::abort();
  return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* options = kOptionSets[data[0] & 3];
  std::optional<morlune::Variant> kind = morlune::fuzzing::PlainFontKind(data + 1, size - 1);
  if (!kind) {
    Decompile(options, data + 1, size - 1, nullptr);
    return 0;
  }
  std::string text;
  Decompile(options, data + 1, size - 1, &text);
  morlune::CompileOptions compiling;
  // Shapes 1.0 is written out as shapes 1.1 text; only the option brings it back.
  if (kind == morlune::Variant::kShapes10) compiling.variant = morlune::Variant::kShapes10;
  morlune::Diagnostics problems;
  std::optional<std::string> font = morlune::CompileSource(text, compiling, problems);
  if (!font) std::abort();
  std::string again;
  Decompile(options, reinterpret_cast<const unsigned char*>(font->data()), font->size(), &again);
  if (again != text) std::abort();
  return 0;
}
