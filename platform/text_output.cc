// Output buffering: text collects in one large buffer that goes out with a
// single write when it fills, and at the end of the run.
#include "platform/text_output.h"

#include <cstring>

#include "platform/file_io.h"

namespace morlune {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

TextOutput::TextOutput()
    : buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)),
      next_(buffer_.get()),
      limit_(buffer_.get() + kBufferSize) {}

TextOutput::~TextOutput() { Release(); }

void TextOutput::Release() {
  Flush();
  if (ownsFd_ && fd_ >= 0) {
    int closeErrno = CloseFd(fd_);
    if (failureErrno_ == 0) failureErrno_ = closeErrno;
  }
  fd_ = -1;
  ownsFd_ = false;
  capture_ = nullptr;
}

void TextOutput::AttachFd(int fd, bool ownsFd) {
  Release();
  fd_ = fd;
  ownsFd_ = ownsFd;
}

void TextOutput::AttachCapture(std::string* capture) {
  Release();
  capture_ = capture;
}

void TextOutput::AttachNothing() { Release(); }

void TextOutput::Flush() {
  std::size_t n = static_cast<std::size_t>(next_ - buffer_.get());
  next_ = buffer_.get();
  if (n == 0) return;
  if (capture_ != nullptr) {
    capture_->append(buffer_.get(), n);
  } else if (fd_ >= 0 && failureErrno_ == 0) {
    // After the first refusal the rest is dropped: the text is cut short
    // already, and a broken pipe would only refuse again.
    failureErrno_ = WriteFd(fd_, buffer_.get(), n);
  }
}

void TextOutput::WriteSlow(std::string_view text) {
  for (char c : text) {
    // Two places for a carriage return and line feed pair.
    if (limit_ - next_ < 2) Flush();
    if (crLf_ && c == '\n') *next_++ = '\r';
    *next_++ = c;
  }
}

}  // namespace morlune
