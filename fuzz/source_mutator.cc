// The text is cut into tokens by the shapes of the reader's grammar, one
// edit is made on tokens, and the tokens are joined again.
#include "fuzz/source_mutator.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compile_source.h"

namespace morlune::fuzzing {
namespace {

enum class TokenKind { kNumber, kHeader, kComment, kLineEnd, kPunctuation, kBlank, kOther };

struct Token {
  TokenKind kind;
  std::string text;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordByte(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t at = 0;
  auto take = [&](TokenKind kind, std::size_t end) {
    tokens.push_back({kind, std::string(text.substr(at, end - at))});
    at = end;
  };
  auto lineEnd = [&](std::size_t from) {
    std::size_t end = text.find('\n', from);
    return end == std::string_view::npos ? text.size() : end;
  };
  while (at < text.size()) {
    char c = text[at];
    std::size_t end = at + 1;
    if (c == '*') {
      take(TokenKind::kHeader, lineEnd(at));
    } else if (c == ';') {
      take(TokenKind::kComment, lineEnd(at));
    } else if (c == '\n' || (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
      take(TokenKind::kLineEnd, c == '\n' ? end : end + 1);
    } else if (c == ',' || c == '(' || c == ')') {
      take(TokenKind::kPunctuation, end);
    } else if (c == ' ' || c == '\t') {
      while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
      take(TokenKind::kBlank, end);
    } else if (IsWordByte(c) || (c == '-' && end < text.size() && IsWordByte(text[end]))) {
      while (end < text.size() && IsWordByte(text[end])) ++end;
      take(TokenKind::kNumber, end);
    } else {
      take(TokenKind::kOther, end);
    }
  }
  return tokens;
}

// Numbers where the reader's rules change: the ends of each operand kind,
// hexadecimal and decimal spellings, leading zeros, "-0", too many digits.
const char* const kNumbers[] = {
    "0",   "1",    "2",    "3",   "4",    "5",     "6",      "7",       "8",        "9",      "10",   "11",
    "12",  "13",   "14",   "15",  "16",   "020",   "0FF",    "0ff",     "-1",       "-0",     "127",  "128",
    "-127", "-128", "-129", "255", "256",  "012",   "0100",   "041",     "00041",    "032767", "32767", "32768",
    "65535", "65536", "0FFFF", "010000", "99999999", "00000000000041", "1A", "0x12", "-",  "08",   "0A",  "-0FF"};

// Pieces of text as people and the decompiler write them.
const char* const kSnippets[] = {
    "2,",          "1,",           "8,(-1,2),",   "9,(1,1),(2,-3),(0,0),", "10,(1,-043),", "11,(0,0,0,3,012),",
    "12,(3,4,127),", "13,(1,1,64),(2,0,-127),(0,0),", "7,041,", "7,(0,041,0,0,4,4),", "7,0,041,",
    "14,",         "0",            "3,2,",        "4,255,",                "5,6,",         "014,",    "044,",
    "\n*00041,4,x\n", "\n*0,4,font\n4,1,0,0\n", "*UNIFONT,6,u\n4,1,0,0,0,0\n", "*BIGFONT 1,1,081,09F\n",
    "\n*41,1,\n",  "*",            ",",           "(",                     ")",            "; note\n", "\r\n",
    " ",           "\n",           "*0041,",      ",2,spc\n",              "*00020,3,spc\n2,060,0\n"};

class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }

 private:
  std::minstd_rand engine_;
};

// Where each line of the text begins, for the places of the compiler's
// messages.
std::vector<std::size_t> LineStarts(std::string_view text) {
  std::vector<std::size_t> starts = {0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') starts.push_back(i + 1);
  }
  return starts;
}

}  // namespace

// The compiler, told to take counted records, warns at each count that
// differs and says how many bytes the numbers make.
std::string RecountedHeaders(const std::string& text) {
  Diagnostics problems(1000);
  CompileOptions options;
  options.takeCounted = true;
  CompileSource(text, options, problems);
  std::vector<std::size_t> lines = LineStarts(text);
  std::string out = text;
  // From the end, so that earlier places stay where they are.
  const std::vector<Diagnostic>& kept = problems.Kept();
  for (auto problem = kept.rbegin(); problem != kept.rend(); ++problem) {
    static constexpr std::string_view kMake = " but the numbers make ";
    std::size_t make = problem->message.find(kMake);
    if (problem->isError || problem->message.rfind("the count is ", 0) != 0 || make == std::string::npos) continue;
    std::size_t line = static_cast<std::size_t>(problem->line);
    if (line == 0 || line > lines.size()) continue;
    std::size_t at = lines[line - 1] + static_cast<std::size_t>(problem->column) - 1;
    std::size_t end = at;
    while (end < out.size() && (IsWordByte(out[end]) || out[end] == '-')) ++end;
    std::size_t digits = make + kMake.size();
    std::string bytes = problem->message.substr(digits, problem->message.find(' ', digits) - digits);
    if (at < out.size()) out.replace(at, end - at, bytes);
  }
  return out;
}

namespace {

void Edit(std::vector<Token>& tokens, Random& random) {
  std::size_t n = tokens.size();
  std::size_t i = random.Below(n + 1);
  auto number = [&] { return Token{TokenKind::kNumber, kNumbers[random.Below(std::size(kNumbers))]}; };
  switch (random.Below(7)) {
    case 0: {  // a number to another where the rules change
      std::vector<std::size_t> numbers;
      for (std::size_t k = 0; k < n; ++k) {
        if (tokens[k].kind == TokenKind::kNumber) numbers.push_back(k);
      }
      if (!numbers.empty()) tokens[numbers[random.Below(numbers.size())]] = number();
      break;
    }
    case 1:  // a token removed
      if (i < n) tokens.erase(tokens.begin() + static_cast<long>(i));
      break;
    case 2: {  // a run of tokens repeated elsewhere
      if (n == 0) break;
      std::size_t from = random.Below(n), length = 1 + random.Below(std::min<std::size_t>(n - from, 12));
      std::vector<Token> run(tokens.begin() + static_cast<long>(from), tokens.begin() + static_cast<long>(from + length));
      tokens.insert(tokens.begin() + static_cast<long>(random.Below(n + 1)), run.begin(), run.end());
      break;
    }
    case 3:  // two tokens swapped
      if (n > 1) std::swap(tokens[random.Below(n)], tokens[random.Below(n)]);
      break;
    case 4:  // a number inserted, with its comma
      tokens.insert(tokens.begin() + static_cast<long>(i), {number(), Token{TokenKind::kPunctuation, ","}});
      break;
    default:  // a piece of text as it is written
      tokens.insert(tokens.begin() + static_cast<long>(i),
                    Token{TokenKind::kOther, kSnippets[random.Below(std::size(kSnippets))]});
      break;
  }
}

}  // namespace

std::size_t MutateSourceInput(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed,
                              ByteMutator mutateBytes) {
  Random random(seed);
  if (size == 0 || random.OneIn(4)) return mutateBytes(data, size, maxSize);
  if (random.OneIn(16)) data[0] = static_cast<std::uint8_t>(random.Below(256));
  std::vector<Token> tokens = Tokens(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  for (std::size_t edits = 1 + random.Below(3); edits > 0; --edits) Edit(tokens, random);
  std::string text;
  for (const Token& token : tokens) text += token.text;
  if (random.OneIn(2)) text = RecountedHeaders(text);
  if (text.size() + 1 > maxSize) return mutateBytes(data, size, maxSize);
  std::memcpy(data + 1, text.data(), text.size());
  return text.size() + 1;
}

}  // namespace morlune::fuzzing
