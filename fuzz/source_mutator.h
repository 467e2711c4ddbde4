// Mutations of shape source text token by token: numbers, commas,
// parentheses, headers, comments and line ends are kept whole, so that a
// change reaches past the first token the reader would refuse. Headers'
// counts can be set to what their numbers make, which lets mutated texts
// compile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/font_mutator.h"

namespace morlune::fuzzing {

// The text with every header's count set to the bytes that its record's
// numbers make, as the compiler measures them.
std::string RecountedHeaders(const std::string& text);

// An input is an option byte and the text. Returns the mutated input's
// size (at most maxSize), written over data.
std::size_t MutateSourceInput(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                              ByteMutator mutateBytes);

}  // namespace morlune::fuzzing
