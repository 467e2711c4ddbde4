// Runs one command with its standard output sent to /dev/null and prints
// its wall time in seconds and its peak resident memory in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: morlune_time_run PROGRAM [ARGS...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child < 0) {
    std::perror("morlune_time_run: fork");
    return 2;
  }
  if (child == 0) {
    int sink = open("/dev/null", O_WRONLY);
    if (sink < 0 || dup2(sink, STDOUT_FILENO) < 0) _exit(127);
    close(sink);
    execvp(argv[1], argv + 1);
    std::perror("morlune_time_run: exec");
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("morlune_time_run: wait");
    return 2;
  }
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "morlune_time_run: %s did not end with status 0\n", argv[1]);
    return 1;
  }
  // ru_maxrss is in KiB on Linux.
  std::printf("%.6f %ld\n", elapsed.count(), usage.ru_maxrss);
  return 0;
}
