// The message library on POSIX systems: "KelvoRes.so", loaded with dlopen by
// its bare name (so LD_LIBRARY_PATH, the loader cache and the system folders
// are searched, never the working directory), answering through one C
// function:
//
//   extern "C" const char* KelvoResMessageText(unsigned id);
//
// which returns the zero-terminated text of a message, or null when the
// library has none for that identifier.
#include <dlfcn.h>

#include "tools/common/message_library.h"

namespace morlune {

const char kMessageLibraryName[] = "KelvoRes.so";

namespace {
using TextFunction = const char* (*)(unsigned);
}

struct MessageLibrary {
  void* handle;
  TextFunction text;
};

MessageLibrary* LoadMessageLibrary() {
  void* handle = ::dlopen(kMessageLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  // A library without the function is still the source of every text; it
  // simply has none of them.
  auto text = reinterpret_cast<TextFunction>(::dlsym(handle, "KelvoResMessageText"));
  return new MessageLibrary{handle, text};
}

bool LookupLibraryMessage(MessageLibrary* library, unsigned id, std::string& text) {
  text.clear();
  if (library == nullptr || library->text == nullptr) return false;
  const char* found = library->text(id);
  if (found == nullptr) return false;
  text = found;
  return true;
}

void UnloadMessageLibrary(MessageLibrary* library) {
  if (library == nullptr) return;
  ::dlclose(library->handle);
  delete library;
}

}  // namespace morlune
