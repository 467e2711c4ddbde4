// The operating system's file calls, behind one small interface so that the
// rest of morlune never sees which system it runs on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morlune {

inline constexpr int kSeekFromStart = 0;
inline constexpr int kSeekFromCurrent = 1;

inline constexpr int kStandardInputFd = 0;
inline constexpr int kStandardOutputFd = 1;
inline constexpr int kStandardErrorFd = 2;

// Opens an existing file for reading untranslated bytes. Returns -1 when it
// cannot be opened or names a folder, which cannot be read as a font.
int OpenForReading(const char* path);
// Creates the file, or empties it if it exists, for writing. -1 on failure.
int OpenForWriting(const char* path);
// Switches a descriptor to untranslated bytes (a no-op where all are).
void UseUntranslatedBytes(int fd);
// True where a text stream ends its lines with carriage return and line
// feed rather than a line feed alone.
bool TextLineEndIsCrLf();
// One read of up to n bytes: the count, 0 at end of input, -1 on error.
long ReadFd(int fd, unsigned char* dst, std::size_t n);
// Writes all n bytes. Returns 0, or the system's error number (errno) of
// the write that was refused.
int WriteFd(int fd, const char* src, std::size_t n);
// Returns the new offset, or -1 when the descriptor cannot seek there.
std::int64_t SeekFd(int fd, std::int64_t offset, int whence);
// Returns 0, or the error number of a close that reports an earlier write
// lost (a file system that commits data only then).
int CloseFd(int fd);
// Where a regular file lives, whatever its names: the device and inode on
// POSIX systems, the volume and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};
// The identity of the existing regular file that path names (through
// links), or false for a folder, a device, a pipe or a path that names
// nothing.
bool IdentifyRegularFile(const char* path, FileIdentity& identity);
// The same for the file open on fd.
bool IdentifyOpenRegularFile(int fd, FileIdentity& identity);

// True when both paths name one existing regular file, by whatever links
// or spellings: opening the one for writing would empty the other.
inline bool SameExistingFile(const char* a, const char* b) {
  FileIdentity first, second;
  return IdentifyRegularFile(a, first) && IdentifyRegularFile(b, second) && first == second;
}
// True when the output path names the very file that the input is read
// from: the file at inputPath, or the file open on inputFd where inputPath
// is null (standard input redirected from it).
inline bool OutputIsTheInput(const char* outputPath, const char* inputPath, int inputFd) {
  FileIdentity output, input;
  if (outputPath == nullptr || !IdentifyRegularFile(outputPath, output)) return false;
  bool known = inputPath != nullptr ? IdentifyRegularFile(inputPath, input) : IdentifyOpenRegularFile(inputFd, input);
  return known && input == output;
}

// The size of the regular file open on fd, or -1 for anything else (a
// pipe, a terminal), whose size is known only once it is read.
std::int64_t RegularFileSize(int fd);


}  // namespace morlune
