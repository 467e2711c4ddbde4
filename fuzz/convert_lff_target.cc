// Fuzz target: any bytes as a single-line font, brought in where they read as a font.
#include "convert/lff/lff_reader.h"
#include "fuzz/convert_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return morlune::fuzzing::ImportWhatReads(morlune::convert::ReadLff, data, size);
}
