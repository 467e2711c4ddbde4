// Child processes for end-to-end tests, with fork, exec and one poll loop
// that feeds standard input and drains both outputs.
#include "tests/support/process_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace morlune::testing {

std::string MorluneBinary() { return MORLUNE_BINARY; }

std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/morlune-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

ProcessResult RunProcess(const ProcessRequest& request) {
  int outPipe[2], errPipe[2], inPipe[2] = {-1, -1};
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
  if (request.stdinKind == StdinKind::kPipe && ::pipe(inPipe) != 0) throw std::runtime_error("pipe failed");
  std::string program = request.program.empty() ? MorluneBinary() : request.program;

  pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    int in = -1;
    if (request.stdinKind == StdinKind::kPipe) {
      in = inPipe[0];
      ::close(inPipe[1]);
    } else if (request.stdinKind == StdinKind::kFile) {
      in = ::open(request.stdinFile.c_str(), O_RDONLY);
    } else {
      in = ::open("/dev/null", O_RDONLY);
    }
    if (in < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    for (const auto& [name, value] : request.env) {
      if (value.empty()) {
        ::unsetenv(name.c_str());
      } else {
        ::setenv(name.c_str(), value.c_str(), 1);
      }
    }
    if (!request.workingDirectory.empty() && ::chdir(request.workingDirectory.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(program.data());
    std::vector<std::string> args = request.args;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }

  ::close(outPipe[1]);
  ::close(errPipe[1]);
  if (inPipe[0] >= 0) ::close(inPipe[0]);
  // A child that stops reading early must not kill the test with SIGPIPE.
  ::signal(SIGPIPE, SIG_IGN);

  ProcessResult result;
  std::size_t fed = 0;
  int inFd = inPipe[1];
  if (inFd >= 0 && request.stdinBytes.empty()) {
    ::close(inFd);
    inFd = -1;
  }
  bool outOpen = true, errOpen = true;
  while (outOpen || errOpen || inFd >= 0) {
    pollfd fds[3];
    int n = 0;
    if (outOpen) fds[n++] = {outPipe[0], POLLIN, 0};
    if (errOpen) fds[n++] = {errPipe[0], POLLIN, 0};
    if (inFd >= 0) fds[n++] = {inFd, POLLOUT, 0};
    if (::poll(fds, static_cast<nfds_t>(n), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == inFd) {
        ssize_t put = ::write(inFd, request.stdinBytes.data() + fed, request.stdinBytes.size() - fed);
        if (put > 0) fed += static_cast<std::size_t>(put);
        if (put <= 0 || fed == request.stdinBytes.size()) {
          ::close(inFd);
          inFd = -1;
        }
        continue;
      }
      char chunk[65536];
      ssize_t got = ::read(fds[i].fd, chunk, sizeof chunk);
      bool isOut = fds[i].fd == outPipe[0];
      if (got <= 0) {
        (isOut ? outOpen : errOpen) = false;
        continue;
      }
      (isOut ? result.out : result.err).append(chunk, static_cast<std::size_t>(got));
    }
  }
  ::close(outPipe[0]);
  ::close(errPipe[0]);
  if (inFd >= 0) ::close(inFd);
  int wstatus = 0;
  while (::waitpid(child, &wstatus, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  return result;
}

}  // namespace morlune::testing
