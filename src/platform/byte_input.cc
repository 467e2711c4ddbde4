// Buffered byte reading with no per-byte locking: one read() fills a large
// window, and seeks that land inside the window keep it.
#include "platform/byte_input.h"

#include <cerrno>
#include <cstring>

#include "platform/file_io.h"
#include "platform/unique_for_overwrite.h"

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
  if (!buffer_) buffer_ = MakeUniqueForOverwrite<unsigned char[]>(kWindowSize);
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
  // The first window of an input that cannot seek fills up before it is
  // reused, however short the pipe's reads, so that its head is still in
  // hand when HoldWholeInput needs it.
  unsigned char* windowEnd = buffer_.get() + kWindowSize;
  if (seekable_ || baseOffset_ != 0 || end_ == windowEnd) {
    baseOffset_ += end_ - base_;
    base_ = cur_ = end_ = buffer_.get();
  }
  unsigned char* readAt = buffer_.get() + (end_ - base_);
  long got = ReadFd(fd_, readAt, static_cast<std::size_t>(windowEnd - readAt));
  if (got <= 0) {
    atEnd_ = true;
    return kEndOfInput;
  }
  end_ += got;
  return *cur_++;
}

bool ByteInput::HoldWholeInput(std::size_t limit) {
  if (seekable_) return true;
  if (fd_ < 0 || baseOffset_ != 0) return false;
  std::size_t position = static_cast<std::size_t>(cur_ - base_);
  held_.assign(base_, end_);
  for (bool more = !atEnd_; more && held_.size() < limit;) {
    std::size_t size = held_.size();
    std::size_t room = size > kWindowSize ? size : kWindowSize;
    if (room > limit - size) room = limit - size;
    held_.resize(size + room);
    // A read error ends the input here, as it does for Get.
    long got = ReadFd(fd_, held_.data() + size, room);
    held_.resize(size + (got > 0 ? static_cast<std::size_t>(got) : 0));
    more = got > 0;
  }
  AttachMemory(held_.data(), held_.size());
  cur_ = base_ + (position < held_.size() ? position : held_.size());
  return true;
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
