// The wide command line, split as the C runtime splits it, in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "tools/common/utf8_arguments.h"

namespace morlune {

bool Utf8Arguments(std::vector<std::string>& arguments) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return false;
  arguments.clear();
  for (int i = 0; i < count; ++i) {
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
    text.pop_back();  // the terminating zero
    arguments.push_back(std::move(text));
  }
  ::LocalFree(wide);
  return true;
}

}  // namespace morlune
