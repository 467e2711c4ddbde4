// Text that must wait before it goes out, because what comes before it is
// known only once it is all made: held in memory up to a bound, past that
// in a scratch file. Should the file not be made or not take the text, the
// text is lost, and the writer makes it again once it may go out.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "platform/text_output.h"

namespace morlune {

struct TextHolding {
  // Where the scratch file goes: beside the output, so that it lands on a
  // disk the output can use; the system's temporary folder where empty.
  std::string folder;
  // The bytes held in memory before the file is made: all of most fonts.
  // Under Emscripten a file would be memory as well, where the module has
  // a file system at all (without one, opening a file hands back
  // descriptor 0, standard input): there the text is all held.
#ifdef __EMSCRIPTEN__
  std::size_t inMemory = std::numeric_limits<std::size_t>::max();
#else
  std::size_t inMemory = std::size_t{1} << 20;
#endif
};

class HeldText {
 public:
  explicit HeldText(TextHolding holding) : holding_(std::move(holding)) {}
  ~HeldText();
  HeldText(const HeldText&) = delete;
  HeldText& operator=(const HeldText&) = delete;

  void Write(std::string_view text) {
    if (fd_ < 0 && !lost_ && memory_.size() + text.size() > holding_.inMemory) Spill();
    if (lost_) return;
    if (fd_ < 0) {
      memory_ += text;
    } else {
      file_.Write(text);
    }
  }
  // True while every byte written is held (as far as the scratch file has
  // said so far).
  bool Whole() const { return !lost_ && !file_.Failed(); }

  // Ends the writing; true when every byte written is held.
  bool Seal();
  // With Seal true: the text held to out, then nothing held. A scratch
  // file that cannot be read back fails out, as a refused write would.
  void SendTo(TextOutput& out);

 private:
  // The memory's text to a new scratch file, which takes the rest.
  void Spill();
  void Lose();

  TextHolding holding_;
  std::string memory_;
  int fd_ = -1;
  TextOutput file_;
  bool lost_ = false;
};

}  // namespace morlune
