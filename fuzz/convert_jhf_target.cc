// Fuzz target: any bytes as Hershey glyph lines, brought in where they read as a font.
#include "convert/jhf/jhf_reader.h"
#include "fuzz/convert_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return morlune::fuzzing::ImportWhatReads(morlune::convert::ReadJhf, data, size);
}
