// Code pages through WideCharToMultiByte, one character at a time; a
// character that the code page would write as its default character counts
// as missing.
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

}  // namespace morlune
