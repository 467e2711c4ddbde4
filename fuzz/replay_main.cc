// Replays fuzz inputs without the fuzzing engine: every file named, and
// every file in every folder named (in name order, so that every run takes
// them alike), goes once through the target's entry. Built with any
// compiler, so a corpus can run under the sanitizers and under valgrind.
// "--seconds N" first bounds each input's time: an input that runs longer
// is named and the replay fails at once, so a slow input shows as such
// rather than as a whole test's timeout.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Watches the input being replayed; past its time it ends the program
// with status 1, naming the input.
class InputWatch {
 public:
  explicit InputWatch(double seconds) : limit_(std::chrono::duration<double>(seconds)) {
    thread_ = std::thread([this] { Watch(); });
  }
  ~InputWatch() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  void Start(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    name_ = name;
    deadline_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(limit_);
    running_ = true;
    changed_.notify_all();
  }
  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    changed_.notify_all();
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done_) {
      if (!running_) {
        changed_.wait(lock);
        continue;
      }
      auto deadline = deadline_;
      if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && running_ && deadline_ == deadline) {
        std::fprintf(stderr, "%s: took more than %g seconds\n", name_.c_str(), limit_.count());
        std::fflush(stderr);
        std::_Exit(1);
      }
    }
  }

  std::chrono::duration<double> limit_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string name_;
  std::chrono::steady_clock::time_point deadline_;
  bool running_ = false;
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  double seconds = 0;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--seconds") == 0) {
    char* end = nullptr;
    seconds = std::strtod(argv[2], &end);
    if (end == argv[2] || *end != '\0' || !(seconds > 0)) {
      std::fprintf(stderr, "%s: --seconds takes a number of seconds above 0\n", argv[0]);
      return 2;
    }
    first = 3;
  }
  std::vector<fs::path> inputs;
  for (int i = first; i < argc; ++i) {
    std::vector<fs::path> found;
    std::error_code error;
    if (fs::is_directory(argv[i], error)) {
      for (const auto& entry : fs::directory_iterator(argv[i], error)) {
        if (entry.is_regular_file()) found.push_back(entry.path());
      }
      std::sort(found.begin(), found.end());
    } else {
      found.push_back(argv[i]);
    }
    inputs.insert(inputs.end(), found.begin(), found.end());
  }
  // An empty corpus would pass without testing anything.
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s [--seconds N] FILE-OR-FOLDER... (no inputs found)\n", argv[0]);
    return 2;
  }
  std::optional<InputWatch> watch;
  if (seconds > 0) watch.emplace(seconds);
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (!file.is_open() || file.bad()) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.string().c_str());
      return 2;
    }
    if (watch) watch->Start(input.string());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    if (watch) watch->Stop();
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
