// Code pages through iconv, one character at a time so that a character the
// code page lacks is told apart from its neighbours.
#include <iconv.h>

#include "platform/code_page.h"
#include "platform/utf8.h"

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
}

bool CodePageConverter::Open(const std::string& name) {
  iconv_t converter = iconv_open(name.c_str(), "UTF-8");
  if (converter == kNoConverter) return false;
  if (handle_ != nullptr) iconv_close(static_cast<iconv_t>(handle_));
  handle_ = converter;
  return true;
}

bool CodePageConverter::Convert(char32_t character, std::string& bytes) {
  if (handle_ == nullptr) return false;
  std::string in = Utf8(character);
  char out[16];
  char* inNext = in.data();
  std::size_t inLeft = in.size();
  char* outNext = out;
  std::size_t outLeft = sizeof out;
  iconv_t converter = static_cast<iconv_t>(handle_);
  if (iconv(converter, &inNext, &inLeft, &outNext, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return false;
  }
  bytes.append(out, static_cast<std::size_t>(outNext - out));
  return true;
}

}  // namespace morlune
