// The message library on Windows: "KelvoRes.dll", loaded with LoadLibraryW by
// its bare name (so the program's own folder, the system folders, the
// working folder and PATH are searched), whose string table holds the texts
// under the message identifiers.
#include <windows.h>

#include "tools/common/message_library.h"

namespace morlune {

const char kMessageLibraryName[] = "KelvoRes.dll";

struct MessageLibrary {
  HMODULE module;
};

MessageLibrary* LoadMessageLibrary() {
  HMODULE module = ::LoadLibraryW(L"KelvoRes.dll");
  if (module == nullptr) return nullptr;
  return new MessageLibrary{module};
}

bool LookupLibraryMessage(MessageLibrary* library, unsigned id, std::string& text) {
  text.clear();
  if (library == nullptr) return false;
  // With no room given, LoadStringW hands back the text in place inside the
  // module, with its exact length, so no text is ever cut short.
  const wchar_t* found = nullptr;
  int length = ::LoadStringW(library->module, id, reinterpret_cast<LPWSTR>(&found), 0);
  if (length <= 0 || found == nullptr) return false;
  // Every character of a message is written as the one byte of its value;
  // one outside 1 to 255 has no such byte and is shown as a question mark.
  text.reserve(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) {
    wchar_t c = found[i];
    text.push_back(c >= 1 && c <= 255 ? static_cast<char>(static_cast<unsigned char>(c)) : '?');
  }
  return true;
}

void UnloadMessageLibrary(MessageLibrary* library) {
  if (library == nullptr) return;
  ::FreeLibrary(library->module);
  delete library;
}

}  // namespace morlune
