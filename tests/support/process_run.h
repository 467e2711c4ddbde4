// Runs the built morlune executable as a child process: arguments, standard
// input from a file or a pipe, an environment variable or two; captures
// both output streams and the exit status.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace morlune::testing {

enum class StdinKind {
  kNone,  // /dev/null
  kFile,  // the named file, opened for reading
  kPipe,  // a pipe fed with the given bytes
};

struct ProcessRequest {
  std::vector<std::string> args;  // without the program's name
  StdinKind stdinKind = StdinKind::kNone;
  std::string stdinFile;          // for kFile
  std::string stdinBytes;         // for kPipe
  // Set in the child's environment (an empty value unsets the variable).
  std::vector<std::pair<std::string, std::string>> env;
  std::string workingDirectory;   // empty: the test's own
  std::string program;            // empty: the morlune executable
};

struct ProcessResult {
  int status = -1;  // exit status, or -1 when the child did not exit normally
  std::string out;
  std::string err;
};

ProcessResult RunProcess(const ProcessRequest& request);

// Path of the morlune executable under test.
std::string MorluneBinary();

// A fresh empty folder for one test's files.
std::string MakeTempDir();
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace morlune::testing
