// A message library that stays loaded for the whole life of a fuzz target.
// Each run loads and unloads the message library by name; when no library
// of that name is loaded, every run searches for it and maps and unmaps the
// loader's cache, which costs more than the run itself. This one is loaded
// with the target, answers to the library's name, and has no texts of its
// own, so every message of a fuzzed run is empty.
extern "C" const char* KelvoResMessageText(unsigned /*id*/) { return nullptr; }
