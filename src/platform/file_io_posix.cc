// POSIX file calls: open, read, write, lseek, close, stat and mmap, retried on EINTR.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"

namespace morlune {

int OpenForReading(const char* path) {
  int fd;
  do {
    fd = ::open(path, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int OpenForWriting(const char* path) {
  int fd;
  do {
    fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

void UseUntranslatedBytes(int) {}

bool TextLineEndIsCrLf() { return false; }

long ReadFd(int fd, unsigned char* dst, std::size_t n) {
  ssize_t got;
  do {
    got = ::read(fd, dst, n);
  } while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
}

int WriteFd(int fd, const char* src, std::size_t n) {
  while (n > 0) {
    ssize_t put = ::write(fd, src, n);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    // A write that takes nothing and names no error would be retried forever.
    if (put == 0) return EIO;
    src += put;
    n -= static_cast<std::size_t>(put);
  }
  return 0;
}

std::int64_t SeekFd(int fd, std::int64_t offset, int whence) {
  off_t got = ::lseek(fd, static_cast<off_t>(offset),
                      whence == kSeekFromStart ? SEEK_SET : SEEK_CUR);
  return got < 0 ? -1 : static_cast<std::int64_t>(got);
}

// The descriptor is gone after an interrupted close as well, so EINTR is no
// lost data and is not retried.
int CloseFd(int fd) { return ::close(fd) != 0 && errno != EINTR ? errno : 0; }

namespace {

bool IdentityOf(const struct stat& info, FileIdentity& identity) {
  if (!S_ISREG(info.st_mode)) return false;
  identity.volume = static_cast<std::uint64_t>(info.st_dev);
  identity.index = static_cast<std::uint64_t>(info.st_ino);
  return true;
}

}  // namespace

bool IdentifyRegularFile(const char* path, FileIdentity& identity) {
  struct stat info;
  return ::stat(path, &info) == 0 && IdentityOf(info, identity);
}

bool IdentifyOpenRegularFile(int fd, FileIdentity& identity) {
  struct stat info;
  return ::fstat(fd, &info) == 0 && IdentityOf(info, identity);
}

std::int64_t RegularFileSize(int fd) {
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace morlune
