// Code pages through iconv, one character at a time so that a character the
// code page lacks is told apart from its neighbours.
#include <iconv.h>

#include "platform/code_page.h"

#ifdef __EMSCRIPTEN__
#include "platform/code_page_host.h"
#endif

namespace morlune {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string Utf8(char32_t character) {
  std::string text;
  if (character < 0x80) {
    text += static_cast<char>(character);
  } else if (character < 0x800) {
    text += static_cast<char>(0xC0 | (character >> 6));
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    text += static_cast<char>(0xE0 | (character >> 12));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (character >> 18));
    text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  }
  return text;
}

}  // namespace

CodePageConverter::~CodePageConverter() {
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
}

bool CodePageConverter::Open(const std::string& name) {
  iconv_t converter = iconv_open(name.c_str(), "UTF-8");
#ifdef __EMSCRIPTEN__
  if (converter == kNoConverter) {
    int page = OpenHostCodePage(name);
    if (page < 0) return false;
    if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
    handle_ = nullptr;
    hostPage_ = page;
    return true;
  }
  hostPage_ = -1;
#endif
  if (converter == kNoConverter) return false;
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
  handle_ = converter;
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
