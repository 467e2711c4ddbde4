// The system's own converter between Unicode characters and the bytes of a
// code page, both ways: iconv on POSIX systems, the code page functions on
// Windows.
#pragma once

#include <string>
#include <string_view>

namespace morlune {

class CodePageConverter {
 public:
  CodePageConverter() = default;
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // Opens the code page by its name: iconv's names (CP932, GBK, ...) on
  // POSIX systems; on Windows a code page number, alone or after "CP".
  // False when the system knows no such code page.
  bool Open(const std::string& name);
  // Appends the bytes of one character in the code page; false, with
  // nothing appended, where the code page has no such character.
  bool Convert(char32_t character, std::string& bytes);
  // The one character that the bytes stand for in the code page; false
  // where they are no whole character, or more than one.
  bool Decode(std::string_view bytes, char32_t& character);

 private:
#ifdef _WIN32
  unsigned codePage_ = 0;
#else
  void* handle_ = nullptr;   // the iconv descriptor to the code page
  void* decoder_ = nullptr;  // and from it
#ifdef __EMSCRIPTEN__
  int hostPage_ = -1;  // the host's code page, where iconv has none (code_page_host.h)
#endif
#endif
};

}  // namespace morlune
