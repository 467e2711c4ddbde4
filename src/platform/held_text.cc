// Held text: in memory up to its bound, then spilled to a scratch file,
// and sent on whole once it may go out.
#include "platform/held_text.h"

#include <cerrno>
#include <memory>

#include "platform/file_io.h"
#include "platform/scratch_file.h"
#include "platform/unique_for_overwrite.h"

namespace morlune {
namespace {
// Read back in blocks large enough that each costs one call.
constexpr std::size_t kReadBlock = std::size_t{1} << 20;
}  // namespace

HeldText::~HeldText() {
  file_.AttachNothing();
  if (fd_ >= 0) CloseFd(fd_);
}

void HeldText::Spill() {
  std::string folder = holding_.folder.empty() ? TemporaryFolder() : holding_.folder;
  if (OpenScratchFile(folder, fd_) != 0) {
    fd_ = -1;
    Lose();
    return;
  }
  file_.AttachFd(fd_, false);
  file_.Write(memory_);
  std::string().swap(memory_);
}

void HeldText::Lose() {
  lost_ = true;
  std::string().swap(memory_);
}

bool HeldText::Seal() {
  if (fd_ >= 0) file_.Flush();
  if (file_.Failed()) Lose();
  return !lost_;
}

void HeldText::SendTo(TextOutput& out) {
  if (fd_ < 0) {
    out.Write(memory_);
    std::string().swap(memory_);
    return;
  }
  file_.AttachNothing();
  int error = 0;
  if (SeekFd(fd_, 0, kSeekFromStart) != 0) {
    error = errno != 0 ? errno : EIO;
  } else {
    auto block = MakeUniqueForOverwrite<unsigned char[]>(kReadBlock);
    for (;;) {
      errno = 0;
      long got = ReadFd(fd_, block.get(), kReadBlock);
      if (got < 0) error = errno != 0 ? errno : EIO;
      if (got <= 0) break;
      out.Write(std::string_view(reinterpret_cast<const char*>(block.get()), static_cast<std::size_t>(got)));
    }
  }
  CloseFd(fd_);
  fd_ = -1;
  if (error != 0) out.Fail(error);
}

}  // namespace morlune
