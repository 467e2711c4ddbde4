// Code pages through WideCharToMultiByte and MultiByteToWideChar, one
// character at a time; a character that the code page would write as its
// default character counts as missing, and so do bytes it cannot decode.
#include <windows.h>


#include "platform/code_page.h"

namespace morlune {

CodePageConverter::~CodePageConverter() = default;

bool CodePageConverter::Open(const std::string& name) {
  std::size_t digits = name.size() >= 2 && (name[0] == 'C' || name[0] == 'c') && (name[1] == 'P' || name[1] == 'p') ? 2 : 0;
  if (digits == name.size() || name.size() - digits > 5) return false;
  unsigned number = 0;
  for (std::size_t i = digits; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
    number = number * 10 + static_cast<unsigned>(name[i] - '0');
  }
  if (number == 0 || !::IsValidCodePage(number)) return false;
  codePage_ = number;
  return true;
}

bool CodePageConverter::Convert(char32_t character, std::string& bytes) {
  if (codePage_ == 0) return false;
  wchar_t wide[2];
  int wideLength = 1;
  if (character >= 0x10000) {
    wide[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
    wide[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
    wideLength = 2;
  } else {
    wide[0] = static_cast<wchar_t>(character);
  }
  char out[16];
  BOOL usedDefault = FALSE;
  // Some code pages (UTF-7, UTF-8 and the ISO 2022 family) take neither
  // the flag nor the default-character question.
  int written = ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide, wideLength, out, sizeof out, nullptr,
                                      &usedDefault);
  if (written == 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    written = ::WideCharToMultiByte(codePage_, 0, wide, wideLength, out, sizeof out, nullptr, nullptr);
  }
  if (written <= 0 || usedDefault) return false;
  bytes.append(out, static_cast<std::size_t>(written));
  return true;
}

bool CodePageConverter::Decode(std::string_view bytes, char32_t& character) {
  if (codePage_ == 0 || bytes.empty() || bytes.size() > 8) return false;
  wchar_t wide[8];
  int length = static_cast<int>(bytes.size());
  int written = ::MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes.data(), length, wide, 8);
  // Some code pages (UTF-7 and the ISO 2022 family among them) take no flag.
  if (written == 0 && ::GetLastError() == ERROR_INVALID_FLAGS) {
    written = ::MultiByteToWideChar(codePage_, 0, bytes.data(), length, wide, 8);
  }
  if (written == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF)) {
    character = static_cast<char32_t>(wide[0]);
    return true;
  }
  if (written == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 && wide[1] <= 0xDFFF) {
    character = 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00);
    return true;
  }
  return false;
}

}  // namespace morlune
