// The platform layer at its edges: a text stream whose writes are refused, one that widens its line ends, two
// paths to one file, and a signal while an output file is pending. (Where the pending file is made is the tools'
// whole runs': beside a new or an old file, in place on a device, refused in a folder that does not exist.)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "platform/file_io.h"
#include "tools/common/pending_file.h"
#include "platform/read_all.h"
#include "platform/text_output.h"
#include "tests/support/process_run.h"

namespace morlune {
namespace {

using morlune::testing::MakeTempDir;
using morlune::testing::WriteFileBytes;

// A descriptor to write to, and the descriptor to close after the stream is done (-1: none).
struct Target {
  int fd, keep;
};
Target PipeWithReader() {
  int ends[2];
  EXPECT_EQ(::pipe(ends), 0);
  return {ends[1], ends[0]};
}
Target PipeWithoutReader() {
  Target target = PipeWithReader();
  ::close(target.keep);
  return {target.fd, -1};
}
Target ClosedDescriptor() {
  Target target = PipeWithoutReader();
  ::close(target.fd);
  return target;
}

TEST(ReadAllFrom, ReadsWholeOrTellsThatTheInputGoesOnPastTheMost) {
  // A file is read into room of its size, a pipe in blocks: each meets the
  // most bytes asked for exactly, or passes it by one.
  std::string dir = MakeTempDir();
  const std::string bytes(50000, 'k');
  WriteFileBytes(dir + "/input", bytes);
  const struct {
    const char* what;
    bool pipe;
    std::size_t most;
    bool tooLarge;
  } rows[] = {
      {"file, no most", false, std::numeric_limits<std::size_t>::max(), false},
      {"file of the most", false, 50000, false},
      {"file past the most", false, 49999, true},
      {"pipe, no most", true, std::numeric_limits<std::size_t>::max(), false},
      {"pipe of the most", true, 50000, false},
      {"pipe past the most", true, 49999, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    int fd;
    if (row.pipe) {
      Target pipe = PipeWithReader();  // the pipe holds the 50,000 bytes before they are read
      ASSERT_EQ(WriteFd(pipe.fd, bytes.data(), bytes.size()), 0);
      ::close(pipe.fd);
      fd = pipe.keep;
    } else {
      fd = OpenForReading((dir + "/input").c_str());
    }
    InputBytes input = ReadAllFrom(fd, row.most);
    ::close(fd);
    EXPECT_EQ(input.error, 0);
    EXPECT_EQ(input.tooLarge, row.tooLarge);
    EXPECT_EQ(input.bytes.size(), row.tooLarge ? 0u : bytes.size());
  }
  std::filesystem::remove_all(dir);
}

TEST(TextOutput, RecordsTheFirstRefusedWrite) {
  ::signal(SIGPIPE, SIG_IGN);  // a pipe without a reader refuses with EPIPE instead of ending the test
  struct Row {
    const char* what;
    std::function<Target()> open;
    std::size_t size;  // more than the 64 KiB buffer goes out before Finish
    bool failedBeforeFinish;
    int error;
  };
  const Row rows[] = {
      {"pipe with a reader", PipeWithReader, 100, false, 0},
      {"pipe without a reader, at the end", PipeWithoutReader, 100, false, EPIPE},
      {"pipe without a reader, buffer full", PipeWithoutReader, 70000, true, EPIPE},
      {"closed descriptor", ClosedDescriptor, 100, false, EBADF},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Target target = row.open();
    TextOutput stream;
    stream.AttachFd(target.fd, row.error != EBADF);
    stream.Write(std::string(row.size, 'x'));
    EXPECT_EQ(stream.Failed(), row.failedBeforeFinish);
    stream.Write("more\n");
    stream.Finish();
    EXPECT_EQ(stream.FailureErrno(), row.error);
    EXPECT_EQ(stream.Failed(), row.error != 0);
    if (target.keep >= 0) ::close(target.keep);
  }
}

// Where a line ends with carriage return and line feed, every line feed goes out widened, however it was written and
// even where the buffer holds nothing else.
TEST(TextOutput, WidensLineFeedsAsTheBufferGoesOut) {
  std::string out;  // declared first, so that it outlives the stream's last flush
  TextOutput stream;
  stream.SetCrLfLineEnds(true);
  stream.AttachCapture(&out);
  stream.Write("a\nb");
  stream.Put('\n');
  char* at = stream.Reserve(2);
  at[0] = 'c';
  at[1] = '\n';
  stream.Commit(at + 2);
  stream.Write(std::string(70000, '\n'));
  stream.Put('z');
  stream.Finish();
  std::string expected = "a\r\nb\r\nc\r\n";
  for (int i = 0; i < 70000; ++i) expected += "\r\n";
  EXPECT_EQ(out, expected + "z");
}

TEST(SameExistingFile, OneFileByEveryNameAndNoOther) {
  const std::string dir = MakeTempDir(), font = dir + "/font.kqx";
  WriteFileBytes(font, "bytes");
  WriteFileBytes(dir + "/copy.kqx", "bytes");
  std::filesystem::create_hard_link(font, dir + "/link.kqx");
  std::filesystem::create_directory(dir + "/sub");
  const std::tuple<std::string, std::string, bool> rows[] = {
      {dir + "/sub/../link.kqx", font, true},
      {dir + "/copy.kqx", font, false},          // the same bytes are not the same file
      {dir + "/missing.kqx", font, false},
      {dir + "/sub", dir + "/sub", false},       // opening a folder for writing fails of itself
      {"/dev/null", "/dev/null", false},         // a device is not emptied by opening it
  };
  for (const auto& [a, b, same] : rows) EXPECT_EQ(SameExistingFile(a.c_str(), b.c_str()), same) << a << " " << b;
  // The input open on a descriptor (standard input redirected from a file) is the same file by any name too.
  int fd = OpenForReading(font.c_str());
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(OutputIsTheInput((dir + "/link.kqx").c_str(), nullptr, fd));
  EXPECT_FALSE(OutputIsTheInput((dir + "/copy.kqx").c_str(), nullptr, fd));
  EXPECT_TRUE(OutputIsTheInput((dir + "/sub/../font.kqx").c_str(), font.c_str(), -1));
  EXPECT_FALSE(OutputIsTheInput(nullptr, font.c_str(), fd));
  CloseFd(fd);
}

// A signal that ends the process while the new file is open removes it, ends the process as the signal does,
// and leaves the file it was to replace as it was.
TEST(PendingFile, AnEndingSignalRemovesTheNewFile) {
  const std::string dir = MakeTempDir(), target = dir + "/target";
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    WriteFileBytes(target, "old");
    pid_t pid = ::fork();
    if (pid == 0) {
      ::signal(signal, SIG_DFL);
      PendingFile file;
      if (OpenPendingFile(target.c_str(), file) != 0 || WriteFd(file.fd, "new", 3) != 0) ::_exit(1);
      ::raise(signal);
      ::_exit(2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << ": status " << status;
    EXPECT_EQ(testing::ReadFileBytes(target), "old") << signal;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << signal;
  }
}

}  // namespace
}  // namespace morlune
