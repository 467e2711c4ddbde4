// Buffered byte reading with no per-byte locking: one read() fills a large
// window, and seeks that land inside the window keep it.
#include "platform/byte_input.h"

#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace morlune {
namespace {
constexpr std::size_t kWindowSize = 64 * 1024;
}

ByteInput::ByteInput() = default;
ByteInput::~ByteInput() { Release(); }

void ByteInput::Release() {
  if (ownsFd_ && fd_ >= 0) CloseFd(fd_);
  fd_ = -1;
  ownsFd_ = false;
}

void ByteInput::AttachFd(int fd, bool ownsFd) {
  Release();
  fd_ = fd;
  ownsFd_ = ownsFd;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<unsigned char[]>(kWindowSize);
  std::int64_t here = SeekFd(fd, 0, kSeekFromCurrent);
  seekable_ = here >= 0;
  baseOffset_ = seekable_ ? here : 0;
  base_ = cur_ = end_ = buffer_.get();
  atEnd_ = false;
  memorySize_ = 0;
}

void ByteInput::AttachMemory(const unsigned char* data, std::size_t size) {
  Release();
  seekable_ = true;
  atEnd_ = false;
  memorySize_ = size;
  baseOffset_ = 0;
  // An empty span may come with a null pointer; keep the window valid.
  static const unsigned char kNothing = 0;
  base_ = cur_ = data != nullptr ? data : &kNothing;
  end_ = base_ + size;
}

int ByteInput::Underflow() {
  if (fd_ < 0 || atEnd_) return kEndOfInput;
  baseOffset_ += end_ - base_;
  base_ = cur_ = end_ = buffer_.get();
  long got = ReadFd(fd_, buffer_.get(), kWindowSize);
  if (got <= 0) {
    atEnd_ = true;
    return kEndOfInput;
  }
  end_ = base_ + got;
  return *cur_++;
}

std::size_t ByteInput::Read(unsigned char* dst, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    std::size_t ready = static_cast<std::size_t>(end_ - cur_);
    if (ready == 0) {
      int byte = Underflow();
      if (byte == kEndOfInput) break;
      dst[done++] = static_cast<unsigned char>(byte);
      continue;
    }
    std::size_t take = ready < n - done ? ready : n - done;
    std::memcpy(dst + done, cur_, take);
    cur_ += take;
    done += take;
  }
  return done;
}

bool ByteInput::SeekTo(std::int64_t offset) {
  if (!seekable_ || offset < 0) return false;
  if (fd_ < 0) {
    // Memory: a position past the end reads as end of input.
    std::uint64_t clamped = static_cast<std::uint64_t>(offset) < memorySize_
                                ? static_cast<std::uint64_t>(offset)
                                : memorySize_;
    cur_ = base_ + clamped;
    return true;
  }
  // A record inside the bytes already read needs no system call.
  if (offset >= baseOffset_ && offset - baseOffset_ <= end_ - base_) {
    cur_ = base_ + (offset - baseOffset_);
    atEnd_ = false;
    return true;
  }
  if (SeekFd(fd_, offset, kSeekFromStart) < 0) return false;
  baseOffset_ = offset;
  base_ = cur_ = end_ = buffer_.get();
  atEnd_ = false;
  return true;
}

}  // namespace morlune
