// Output buffering: text collects in one large buffer that goes out with a
// single write when it fills, and at the end of the run, its line feeds
// widened there on systems whose line end is two characters.
#include "platform/text_output.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/file_io.h"
#include "platform/unique_for_overwrite.h"

namespace morlune {
namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
static_assert(TextOutput::kMaxReserve <= kBufferSize);
}

TextOutput::TextOutput()
    : buffer_(MakeUniqueForOverwrite<char[]>(kBufferSize)),
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
  sink_ = nullptr;
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

void TextOutput::AttachSink(std::function<void(std::string_view)> sink) {
  Release();
  sink_ = std::move(sink);
}

void TextOutput::AttachNothing() { Release(); }

void TextOutput::Flush() {
  std::size_t n = static_cast<std::size_t>(next_ - buffer_.get());
  next_ = buffer_.get();
  if (n == 0) return;
  if (!crLf_) {
    Deliver(buffer_.get(), n);
    return;
  }
  if (!crLfBuffer_) crLfBuffer_ = MakeUniqueForOverwrite<char[]>(2 * kBufferSize);
  char* wide = crLfBuffer_.get();
  std::size_t widened = 0;
  for (const char* p = buffer_.get(); p != buffer_.get() + n; ++p) {
    if (*p == '\n') wide[widened++] = '\r';
    wide[widened++] = *p;
  }
  Deliver(wide, widened);
}

void TextOutput::Deliver(const char* text, std::size_t n) {
  if (capture_ != nullptr) {
    capture_->append(text, n);
  } else if (sink_) {
    sink_(std::string_view(text, n));
  } else if (fd_ >= 0 && failureErrno_ == 0) {
    // After the first refusal the rest is dropped: the text is cut short
    // already, and a broken pipe would only refuse again.
    failureErrno_ = WriteFd(fd_, text, n);
  }
}

void TextOutput::WriteSlow(std::string_view text) {
  // A text as large as the buffer goes out from where it is, after what the
  // buffer holds: copied through the buffer it would only cost a copy more.
  if (!crLf_ && text.size() >= kBufferSize) {
    Flush();
    Deliver(text.data(), text.size());
    return;
  }
  while (!text.empty()) {
    if (next_ == limit_) Flush();
    std::size_t take = std::min(text.size(), static_cast<std::size_t>(limit_ - next_));
    std::memcpy(next_, text.data(), take);
    next_ += take;
    text.remove_prefix(take);
  }
}

}  // namespace morlune
