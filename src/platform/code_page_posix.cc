// Code pages through iconv, one character at a time so that a character the
// code page lacks (or a code it does not decode) is told apart from its
// neighbours.
#include <iconv.h>

#include "platform/code_page.h"
#include "platform/utf8.h"

#ifdef __EMSCRIPTEN__
#include "platform/code_page_host.h"
#endif

namespace morlune {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string Utf8(char32_t character) {
  std::string text;
  AppendUtf8(text, character);
  return text;
}

}  // namespace

CodePageConverter::~CodePageConverter() {
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
  if (decoder_ != nullptr) iconv_close(static_cast<iconv_t>(decoder_));
}

bool CodePageConverter::Open(const std::string& name) {
  iconv_t converter = iconv_open(name.c_str(), "UTF-8");
#ifdef __EMSCRIPTEN__
  if (converter == kNoConverter) {
    int page = OpenHostCodePage(name);
    if (page < 0) return false;
    if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
    if (decoder_ != nullptr) iconv_close(static_cast<iconv_t>(decoder_));
    handle_ = nullptr;
    decoder_ = nullptr;
    hostPage_ = page;
    return true;
  }
  hostPage_ = -1;
#endif
  if (converter == kNoConverter) return false;
  iconv_t decoder = iconv_open("UTF-32LE", name.c_str());
  if (decoder == kNoConverter) {
    iconv_close(converter);
    return false;
  }
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
  if (decoder_ != nullptr) iconv_close(static_cast<iconv_t>(decoder_));
  handle_ = converter;
  decoder_ = decoder;
  return true;
}

bool CodePageConverter::Decode(std::string_view bytes, char32_t& character) {
#ifdef __EMSCRIPTEN__
  if (hostPage_ >= 0) return DecodeInHostCodePage(hostPage_, bytes, character);
#endif
  if (decoder_ == nullptr || bytes.empty()) return false;
  std::string in(bytes);
  unsigned char out[16];
  char* inNext = in.data();
  std::size_t inLeft = in.size();
  char* outNext = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof out;
  iconv_t decoder = static_cast<iconv_t>(decoder_);
  // As in Convert: a conversion counted as irreversible wrote a stand-in,
  // not the character.
  bool whole = iconv(decoder, &inNext, &inLeft, &outNext, &outLeft) == 0 && inLeft == 0;
  // A stateful code page may hold back what ends its last character.
  if (whole) whole = iconv(decoder, nullptr, nullptr, &outNext, &outLeft) != static_cast<std::size_t>(-1);
  iconv(decoder, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  if (!whole || sizeof out - outLeft != 4) return false;
  character = static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
              static_cast<char32_t>(out[2]) << 16 | static_cast<char32_t>(out[3]) << 24;
  return true;
}

bool CodePageConverter::Convert(char32_t character, std::string& bytes) {
#ifdef __EMSCRIPTEN__
  if (hostPage_ >= 0) return ConvertInHostCodePage(hostPage_, character, bytes);
#endif
  if (handle_ == nullptr) return false;
  std::string in = Utf8(character);
  char out[16];
  char* inNext = in.data();
  std::size_t inLeft = in.size();
  char* outNext = out;
  std::size_t outLeft = sizeof out;
  iconv_t converter = static_cast<iconv_t>(handle_);
  // A character the code page lacks fails the call in glibc; musl (the C
  // library of WebAssembly builds) writes '*' instead and counts it as a
  // conversion that cannot be reversed. Either way the code page has no
  // such character.
  std::size_t irreversible = iconv(converter, &inNext, &inLeft, &outNext, &outLeft);
  if (irreversible != 0 || inLeft != 0) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return false;
  }
  bytes.append(out, static_cast<std::size_t>(outNext - out));
  return true;
}

}  // namespace morlune
