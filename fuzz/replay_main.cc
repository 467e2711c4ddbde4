// Replays fuzz inputs without the fuzzing engine: every file named, and
// every file in every folder named, goes once through the target's entry.
// Built with any compiler, so a corpus can run under the sanitizers and
// under valgrind.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  return in.gcount() == static_cast<std::streamsize>(size);
}

// The files to replay for one argument, folders expanded in name order so
// that every run takes the inputs in the same order.
bool CollectInputs(const std::filesystem::path& place, std::vector<std::filesystem::path>& inputs) {
  std::error_code error;
  if (!std::filesystem::is_directory(place, error)) {
    if (!std::filesystem::is_regular_file(place, error)) return false;
    inputs.push_back(place);
    return true;
  }
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(place, error)) {
    if (entry.is_regular_file()) found.push_back(entry.path());
  }
  if (error) return false;
  std::sort(found.begin(), found.end());
  inputs.insert(inputs.end(), found.begin(), found.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
    return 2;
  }
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[i]);
      return 2;
    }
  }
  // An empty corpus would pass without testing anything.
  if (inputs.empty()) {
    std::fprintf(stderr, "%s: no inputs found\n", argv[0]);
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  for (const auto& input : inputs) {
    if (!ReadWholeFile(input, bytes)) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.string().c_str());
      return 2;
    }
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
