// The translated message library: a shared library, found by the system's
// own search for libraries, that holds a table of message texts.
#pragma once

#include <string>

namespace morlune {

// The bare file name under which the library is looked for.
extern const char kMessageLibraryName[];

struct MessageLibrary;  // opaque; null means "not loaded"

// Loads the library by its bare name; null when it cannot be loaded.
MessageLibrary* LoadMessageLibrary();
// The library's text for id, or false (text left empty) when it lacks it.
bool LookupLibraryMessage(MessageLibrary* library, unsigned id, std::string& text);
void UnloadMessageLibrary(MessageLibrary* library);

}  // namespace morlune
