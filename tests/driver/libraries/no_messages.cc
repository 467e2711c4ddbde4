// A message library that loads but holds no text at all: every message of a
// run that uses it is empty.
extern "C" __attribute__((visibility("default"))) const char* KelvoResMessageText(unsigned) {
  return nullptr;
}
