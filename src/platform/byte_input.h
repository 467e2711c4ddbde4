// Buffered byte reading from a compiled font: a file descriptor or a block
// of memory, read one byte at a time or in blocks, with absolute seeks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace morlune {

// Returned by ByteInput::Get at end of input (a read error counts as one).
inline constexpr int kEndOfInput = -1;

struct ByteInput {
  ByteInput();
  ~ByteInput();
  ByteInput(const ByteInput&) = delete;
  ByteInput& operator=(const ByteInput&) = delete;

  // Reads from fd from its current position. The descriptor is closed when
  // this input is destroyed or re-attached only if ownsFd is set.
  void AttachFd(int fd, bool ownsFd);
  // Reads the given bytes, which must outlive this input; always seekable.
  void AttachMemory(const unsigned char* data, std::size_t size);

  // The next byte as 0..255, or kEndOfInput. Once the end has been met it
  // stays met until a successful seek.
  int Get() { return cur_ < end_ ? *cur_++ : Underflow(); }

  // The bytes that Get hands out next without reading the file again, from
  // here to the end of the window; Skip(n) moves past n of them.
  const unsigned char* WindowBegin() const { return cur_; }
  const unsigned char* WindowEnd() const { return end_; }
  void Skip(std::size_t n) { cur_ += n; }
  // Whether no byte lies past the window: memory, or a file whose end a
  // read has met.
  bool EndMet() const { return fd_ < 0 || atEnd_; }

  // Reads up to n bytes into dst; returns how many were read (fewer only at
  // end of input).
  std::size_t Read(unsigned char* dst, std::size_t n);

  // The offset from the start of the input of the byte that Get reads next
  // (in memory mode, at most the size of the data).
  std::int64_t Tell() const { return baseOffset_ + (cur_ - base_); }

  // Positions the input at offset bytes from the start of the file. Fails
  // for a negative offset and for an input that cannot seek (a pipe).
  bool SeekTo(std::int64_t offset);

  // Makes an input that cannot seek (a pipe) seekable by reading it to its
  // end, or to limit bytes, into memory; the position stays where it is.
  // Bytes past the limit are never read: they read as the end of input.
  // Needs the bytes before the position still in hand, which they are
  // while the input has read no further than its first window; returns
  // false otherwise. An input that can seek is left as it is.
  bool HoldWholeInput(std::size_t limit);

 private:
  int Underflow();
  void Release();

  int fd_ = -1;
  bool ownsFd_ = false;
  bool seekable_ = false;
  bool atEnd_ = false;
  std::unique_ptr<unsigned char[]> buffer_;
  std::vector<unsigned char> held_;      // a pipe's bytes, once held whole
  const unsigned char* base_ = nullptr;  // first byte of the current window
  const unsigned char* cur_ = nullptr;
  const unsigned char* end_ = nullptr;
  std::size_t memorySize_ = 0;           // memory mode: size of the data
  std::int64_t baseOffset_ = 0;          // file offset of base_[0]
};

// Reads a ByteInput through its own copy of the window, so that a loop over
// many bytes keeps the position in a register rather than storing it back
// after every byte. Hands the position back to the input when it goes.
class WindowCursor {
 public:
  explicit WindowCursor(ByteInput& input) : input_(input), cur_(input.WindowBegin()), end_(input.WindowEnd()) {}
  ~WindowCursor() { input_.Skip(static_cast<std::size_t>(cur_ - input_.WindowBegin())); }
  WindowCursor(const WindowCursor&) = delete;
  WindowCursor& operator=(const WindowCursor&) = delete;

  // As ByteInput::Get.
  int Get() { return cur_ < end_ ? *cur_++ : Refill(); }

  // The bytes of the window not yet read; Skip(n) moves past n of them.
  const unsigned char* Begin() const { return cur_; }
  std::size_t Ready() const { return static_cast<std::size_t>(end_ - cur_); }
  void Skip(std::size_t n) { cur_ += n; }
  // Whether every Get from here on returns kEndOfInput.
  bool AtEnd() const { return cur_ == end_ && input_.EndMet(); }

 private:
  int Refill() {
    input_.Skip(static_cast<std::size_t>(cur_ - input_.WindowBegin()));
    int byte = input_.Get();
    cur_ = input_.WindowBegin();
    end_ = input_.WindowEnd();
    return byte;
  }

  ByteInput& input_;
  const unsigned char* cur_;
  const unsigned char* end_;
};

}  // namespace morlune
