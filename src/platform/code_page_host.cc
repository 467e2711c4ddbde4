// The host's code pages: its TextDecoder decodes every byte and every pair
// of a lead byte and a trail byte of the page once, and the characters
// decoded are kept with their bytes (where a page has a character twice,
// the first bytes in their order); a code's bytes are read back by the
// same decoder.
#include "platform/code_page_host.h"

#include <emscripten/emscripten.h>

// clang-format off
EM_JS(int, morlune_open_host_code_page, (const char* name), {
  // The names iconv gives of the double-byte pages, as the host labels them.
  var aliases = {cp932: "shift_jis", ms932: "shift_jis", cp936: "gbk", ms936: "gbk", cp949: "euc-kr",
                 uhc: "euc-kr", cp950: "big5", ms950: "big5"};
  var label = UTF8ToString(name).toLowerCase();
  var decoder;
  try {
    decoder = new TextDecoder(aliases[label] || label);
  } catch (e) {
    return -1;
  }
  var pages = Module["morluneHostPages"] = Module["morluneHostPages"] || [];
  for (var i = 0; i < pages.length; ++i) {
    if (pages[i].encoding === decoder.encoding) return i;
  }
  var codes = new Map();
  // Bytes that are no character of the page decode to U+FFFD (and what
  // follows it), which no page writes.
  var take = function(bytes) {
    var text = decoder.decode(bytes);
    var character = text.codePointAt(0);
    if (character !== 0xFFFD && text.length === (character > 0xFFFF ? 2 : 1) && !codes.has(character)) {
      codes.set(character, bytes.slice());
    }
  };
  var one = new Uint8Array(1);
  var two = new Uint8Array(2);
  for (var b = 0; b < 256; ++b) {
    one[0] = b;
    take(one);
  }
  for (var lead = 0x81; lead < 0xFF; ++lead) {
    two[0] = lead;
    for (var trail = 0x40; trail < 0xFF; ++trail) {
      two[1] = trail;
      take(two);
    }
  }
  pages.push({encoding: decoder.encoding, decoder: decoder, codes: codes});
  return pages.length - 1;
});

EM_JS(int, morlune_host_code_page_bytes, (int page, unsigned character, unsigned char* out), {
  var bytes = Module["morluneHostPages"][page].codes.get(character);
  if (bytes === undefined) return 0;
  HEAPU8.set(bytes, out);
  return bytes.length;
});
EM_JS(int, morlune_host_code_page_character, (int page, const unsigned char* bytes, int length), {
  var text = Module["morluneHostPages"][page].decoder.decode(HEAPU8.subarray(bytes, bytes + length));
  var character = text.codePointAt(0);
  if (character === undefined || character === 0xFFFD || text.length !== (character > 0xFFFF ? 2 : 1)) return -1;
  return character;
});
// clang-format on

namespace morlune {

int OpenHostCodePage(const std::string& name) { return morlune_open_host_code_page(name.c_str()); }

bool ConvertInHostCodePage(int page, char32_t character, std::string& bytes) {
  unsigned char out[2];
  int length = morlune_host_code_page_bytes(page, static_cast<unsigned>(character), out);
  bytes.append(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
  return length > 0;
}

bool DecodeInHostCodePage(int page, std::string_view bytes, char32_t& character) {
  if (bytes.empty()) return false;
  int decoded = morlune_host_code_page_character(page, reinterpret_cast<const unsigned char*>(bytes.data()),
                                                 static_cast<int>(bytes.size()));
  if (decoded < 0) return false;
  character = static_cast<char32_t>(decoded);
  return true;
}

}  // namespace morlune
