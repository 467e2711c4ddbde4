// A run state for the source-text tests: reads given bytes from memory and
// captures the source text written.
#pragma once

#include <string>
#include <vector>

#include "driver/dump_context.h"

namespace morlune::testing {

struct SourceFixture {
  explicit SourceFixture(std::vector<unsigned char> input = {}) : bytes(std::move(input)) {
    context.input.AttachMemory(bytes.data(), bytes.size());
    context.output.AttachCapture(&captured);
  }

  // The text written so far.
  const std::string& Text() {
    context.output.Flush();
    return captured;
  }

  // Declared before the context, so that they outlive its final flush.
  std::vector<unsigned char> bytes;
  std::string captured;
  DumpContext context;
};

}  // namespace morlune::testing
