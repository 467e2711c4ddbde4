// Mutations of a compiled font that keep its frame readable while they
// change what its records hold: items, operands, list lengths, codes,
// subshape references, length words, the font's height. Inputs that are not
// fonts, and a share of those that are, get the fuzzer's plain byte
// mutations instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morlune::fuzzing {

// The fuzzer's own mutation of a buffer in place: returns the new size, at
// most maxSize.
using ByteMutator = std::size_t (*)(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// An input is an option byte and a font. Returns the mutated input's size
// (at most maxSize), written over data.
std::size_t MutateFontInput(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                            ByteMutator mutateBytes);

}  // namespace morlune::fuzzing
