// A program of another project that uses morlune as a library: it lists a
// compiled font's records, compiles its source text back, measures one
// glyph, and writes the font's listing and its source text.
#include <morlune/morlune.h>

#include <algorithm>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  morlune::Result<morlune::Font> font = morlune::Font::Open(argv[1]);
  if (!font) {
    std::cerr << "read_font: " << font.error().message << '\n';
    return 1;
  }
  for (const morlune::Record& record : font->records()) {
    std::cout << record.code << ' ' << std::string(record.name.begin(), record.name.end()) << '\n';
  }
  auto rebuilt = font->CompileBack({.dropDefaultNames = true});
  bool same = rebuilt && std::ranges::equal(*rebuilt, font->bytes());
  std::cout << "compiled back: " << (same ? "the same bytes" : "other bytes") << '\n';
  if (auto glyph = font->GlyphOf('1')) {
    std::cout << "glyph 1: advance " << glyph->advance.x << ',' << glyph->advance.y << ", " << glyph->paths.size()
              << " paths\n";
  }
  std::cout << font->Listing() << font->Decompile().text;
}
