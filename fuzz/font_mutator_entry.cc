// The custom mutator of the targets that read compiled fonts.
#include <cstddef>
#include <cstdint>

#include "fuzz/font_mutator.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
  return morlune::fuzzing::MutateFontInput(data, size, maxSize, seed, LLVMFuzzerMutate);
}
