// Writes the compiled sample fonts of examples/ into a folder (the current
// one unless named): make_examples [folder]
#include <cstdio>
#include <fstream>
#include <string>

#include "examples/sample_font.h"

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  for (const morlune::examples::SampleFile& sample : morlune::examples::kSampleFiles) {
    std::string path = folder + "/" + sample.stem + ".kqx";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string bytes = morlune::examples::SampleFont(sample.variant);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "make_examples: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
