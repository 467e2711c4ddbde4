// A program of another project that uses morlune as a library: it lists a
// compiled font's records, decompiles it, compiles the text back and draws
// the font's shapes.
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "api/morlune.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream file(argv[1], std::ios::binary);
  std::vector<unsigned char> font{std::istreambuf_iterator<char>(file), {}};
  auto view = morlune::ReadFont(font);
  if (!view) return 1;
  for (const auto& record : view->records) std::cout << record.code << ' ' << record.name << '\n';
  std::string text = morlune::Decompile(font).text;
  morlune::Diagnostics problems;
  auto rebuilt = morlune::CompileSource(text, {.dropDefaultNames = true}, problems);
  bool same = rebuilt && *rebuilt == std::string(font.begin(), font.end());
  std::cout << "compiled back: " << (same ? "the same bytes" : "other bytes") << '\n';
  std::cout << morlune::DrawListing(font).listing << text;
}
