// Runs the built morlune executable (or another program) as a child
// process: arguments, standard input from a file or a pipe, a few
// environment variables, a working folder; captures both output streams
// and the exit status.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace morlune::testing {

enum class StdinKind { kNone, kFile, kPipe };  // /dev/null, stdinFile, a pipe fed with stdinBytes

struct ProcessRequest {
  std::vector<std::string> args;  // without the program's name
  StdinKind stdinKind = StdinKind::kNone;
  std::string stdinFile;
  std::string stdinBytes;
  std::vector<std::pair<std::string, std::string>> env;  // set in the child; an empty value unsets
  std::string workingDirectory;                          // empty: the test's own
  std::string program;                                   // empty: the morlune executable
};

struct ProcessResult {
  int status = -1;  // exit status, or -1 when the child did not exit normally
  std::string out;
  std::string err;
};

ProcessResult RunProcess(const ProcessRequest& request);

std::string MakeTempDir();  // a fresh empty folder for one test's files, removed when the program ends
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace morlune::testing
