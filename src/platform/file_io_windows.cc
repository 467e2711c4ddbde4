// Windows file calls through the C runtime's descriptors: _open, _read,
// _lseeki64, _setmode and _close; writes go to the system handle untouched,
// and a file's identity comes from the system's file information.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_io.h"

namespace morlune {

// Paths go to _open as they came on the command line, in the system's
// narrow code page, so relative paths resolve against the working folder.
int OpenForReading(const char* path) {
  int fd = ::_open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  return fd < 0 ? -1 : fd;
}

int OpenForWriting(const char* path) {
  int fd = ::_open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
  return fd < 0 ? -1 : fd;
}

// Without this the runtime would end standard input at the first 0x1A and
// fold carriage return and line feed into one line feed.
void UseUntranslatedBytes(int fd) { ::_setmode(fd, _O_BINARY); }

bool TextLineEndIsCrLf() { return true; }

long ReadFd(int fd, unsigned char* dst, std::size_t n) {
  // _read takes an unsigned int count; a smaller read is always allowed.
  unsigned count = n > 0x40000000u ? 0x40000000u : static_cast<unsigned>(n);
  int got = ::_read(fd, dst, count);
  return got < 0 ? -1 : static_cast<long>(got);
}

namespace {

// The C runtime's error number for a refused WriteFile, so that every
// platform reports a failed write by the same numbers.
int ErrnoOfWriteFailure(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return EPIPE;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    default:
      return EIO;
  }
}

}  // namespace

// The text stream has already turned every line feed into the platform's
// line end, so the bytes must not pass through the runtime's text mode,
// which would add a second carriage return on standard output and error.
int WriteFd(int fd, const char* src, std::size_t n) {
  intptr_t raw = ::_get_osfhandle(fd);
  if (raw == -1) return EBADF;
  HANDLE handle = reinterpret_cast<HANDLE>(raw);
  while (n > 0) {
    DWORD chunk = n > 0x40000000u ? 0x40000000u : static_cast<DWORD>(n);
    DWORD put = 0;
    if (!::WriteFile(handle, src, chunk, &put, nullptr)) return ErrnoOfWriteFailure(::GetLastError());
    if (put == 0) return EIO;
    src += put;
    n -= put;
  }
  return 0;
}

std::int64_t SeekFd(int fd, std::int64_t offset, int whence) {
  // A pipe or a console cannot be positioned; the runtime would still
  // answer with an offset for some of them.
  intptr_t raw = ::_get_osfhandle(fd);
  if (raw == -1 || ::GetFileType(reinterpret_cast<HANDLE>(raw)) != FILE_TYPE_DISK) return -1;
  __int64 got = ::_lseeki64(fd, offset, whence == kSeekFromStart ? SEEK_SET : SEEK_CUR);
  return got < 0 ? -1 : static_cast<std::int64_t>(got);
}

int CloseFd(int fd) { return ::_close(fd) != 0 ? errno : 0; }

namespace {

// The volume and file index of a regular file on disk; false for a folder,
// a device or a pipe.
bool IdentityOfHandle(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  identity.volume = info.dwVolumeSerialNumber;
  identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

}  // namespace

bool IdentifyRegularFile(const char* path, FileIdentity& identity) {
  // No access asked: only the file's identity is read, and no sharing mode
  // of another program is in the way.
  HANDLE handle = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool known = IdentityOfHandle(handle, identity);
  ::CloseHandle(handle);
  return known;
}

bool IdentifyOpenRegularFile(int fd, FileIdentity& identity) {
  intptr_t raw = ::_get_osfhandle(fd);
  return raw != -1 && IdentityOfHandle(reinterpret_cast<HANDLE>(raw), identity);
}

std::int64_t RegularFileSize(int fd) {
  struct _stati64 info;
  if (::_fstati64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace morlune
