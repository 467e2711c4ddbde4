// Child processes for end-to-end tests: fork and exec, with one thread
// feeding standard input and one draining standard error while standard
// output is read, so that no pipe can fill up and stall the child.
#include "tests/support/process_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace morlune::testing {
namespace {

std::string Drain(int fd) {
  std::string all;
  char chunk[65536];
  for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) != 0;) {
    if (got > 0) all.append(chunk, static_cast<std::size_t>(got));
    if (got < 0 && errno != EINTR) break;
  }
  ::close(fd);
  return all;
}

void Feed(int fd, const std::string& bytes) {
  for (std::size_t fed = 0; fed < bytes.size();) {
    ssize_t put = ::write(fd, bytes.data() + fed, bytes.size() - fed);
    if (put > 0) fed += static_cast<std::size_t>(put);
    if (put < 0 && errno != EINTR) break;  // the child stopped reading
  }
  ::close(fd);
}

}  // namespace

std::string MakeTempDir() {
  // Every folder made goes when the test program ends, whatever its tests left in it.
  static struct Made {
    std::vector<std::string> dirs;
    ~Made() {
      std::error_code ignored;
      for (const std::string& dir : dirs) std::filesystem::remove_all(dir, ignored);
    }
  } made;
  std::string pattern = (std::filesystem::temp_directory_path() / "morlune-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  made.dirs.push_back(pattern);
  return pattern;
}

std::string ReadFileBytes(const std::string& path) {
  std::ostringstream all;
  all << std::ifstream(path, std::ios::binary).rdbuf();
  return all.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  std::error_code unreadable;
  return std::filesystem::exists(path, unreadable);
}

ProcessResult RunProcess(const ProcessRequest& request) {
  const bool piped = request.stdinKind == StdinKind::kPipe;
  int out[2], err[2], in[2] = {-1, -1};
  if (::pipe(out) != 0 || ::pipe(err) != 0 || (piped && ::pipe(in) != 0)) throw std::runtime_error("pipe failed");
  // Everything the child needs is made before the fork.
  std::vector<std::string> args = request.args;
  args.insert(args.begin(), request.program.empty() ? MORLUNE_BINARY : request.program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const char* inPath = request.stdinKind == StdinKind::kFile ? request.stdinFile.c_str() : "/dev/null";

  pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    int inFd = piped ? in[0] : ::open(inPath, O_RDONLY);
    if (inFd < 0 || ::dup2(inFd, 0) < 0 || ::dup2(out[1], 1) < 0 || ::dup2(err[1], 2) < 0) ::_exit(127);
    if (piped) ::close(in[1]);  // else the child would never see the end of its input
    for (const auto& [name, value] : request.env) {
      if (value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1)) ::_exit(127);
    }
    if (!request.workingDirectory.empty() && ::chdir(request.workingDirectory.c_str()) != 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }

  ::close(out[1]);
  ::close(err[1]);
  std::thread feeder;
  if (piped) {
    ::close(in[0]);
    ::signal(SIGPIPE, SIG_IGN);  // a child that stops reading early must not kill the test
    feeder = std::thread(Feed, in[1], std::cref(request.stdinBytes));
  }
  ProcessResult result;
  std::thread errors([&] { result.err = Drain(err[0]); });
  result.out = Drain(out[0]);
  errors.join();
  if (feeder.joinable()) feeder.join();
  int wstatus = 0;
  while (::waitpid(child, &wstatus, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  return result;
}

}  // namespace morlune::testing
