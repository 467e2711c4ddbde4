// The XML reader: markup scanned byte by byte into elements, references
// decoded, every bound checked as the document is read.
#include "convert/svg/xml_reader.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "convert/utf8_text.h"

namespace morlune::convert {
namespace {

constexpr std::size_t kDeepest = 256;
constexpr std::size_t kMostElements = 1 << 20;

// The bytes an attribute value does not take as they are: '<' refused, a
// reference and the blanks changed. One look a byte over a long path.
constexpr std::array<bool, 256> kNotPlain = [] {
  std::array<bool, 256> table{};
  for (unsigned char c : {'<', '&', '\t', '\n', '\r'}) table[c] = true;
  return table;
}();

bool NameByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ':' || u == '_' ||
         u == '-' || u == '.' || u >= 0x80;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string LocalName(std::string_view name) {
  std::size_t colon = name.rfind(':');
  return std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
}

class Reader {
 public:
  Reader(std::string_view text, std::vector<XmlElement>& elements) : text_(text), elements_(elements) {}

  std::optional<std::string> Read() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
    bool rootSeen = false;
    while (at_ < text_.size()) {
      std::size_t open = text_.find('<', at_);
      if (open == std::string_view::npos) {
        at_ = text_.size();
        break;
      }
      at_ = open;
      std::optional<std::string> problem;
      if (Ahead("<?")) {
        problem = SkipPast("?>", "a processing instruction");
      } else if (Ahead("<!--")) {
        problem = SkipPast("-->", "a comment");
      } else if (Ahead("<![CDATA[")) {
        problem = SkipPast("]]>", "a CDATA section");
      } else if (Ahead("<!")) {
        problem = SkipDeclaration();
      } else if (Ahead("</")) {
        problem = EndTag();
      } else {
        if (open_.empty() && rootSeen) return Problem("a second root element");
        rootSeen = true;
        problem = StartTag();
      }
      if (problem) return problem;
    }
    if (!open_.empty()) return Problem("the element '" + elements_[open_.back()].name + "' is never closed");
    if (!rootSeen) return Problem("no element");
    return std::nullopt;
  }

 private:
  bool Ahead(std::string_view what) const { return text_.substr(at_, what.size()) == what; }

  std::string Problem(const std::string& what) const {
    std::size_t line = 1 + static_cast<std::size_t>(std::count(text_.begin(), text_.begin() + std::min(at_, text_.size()), '\n'));
    return "line " + std::to_string(line) + ": " + what;
  }

  std::optional<std::string> SkipPast(std::string_view end, const char* what) {
    std::size_t found = text_.find(end, at_ + 2);
    if (found == std::string_view::npos) return Problem(std::string(what) + " is never closed");
    at_ = found + end.size();
    return std::nullopt;
  }

  // <!DOCTYPE ...> with an internal subset in brackets and quoted strings.
  std::optional<std::string> SkipDeclaration() {
    int brackets = 0;
    for (std::size_t k = at_ + 2; k < text_.size(); ++k) {
      char c = text_[k];
      if (c == '"' || c == '\'') {
        std::size_t close = text_.find(c, k + 1);
        if (close == std::string_view::npos) break;
        k = close;
      } else if (c == '[') {
        ++brackets;
      } else if (c == ']') {
        --brackets;
      } else if (c == '>' && brackets <= 0) {
        at_ = k + 1;
        return std::nullopt;
      }
    }
    return Problem("a declaration is never closed");
  }

  std::string_view Name() {
    std::size_t start = at_;
    while (at_ < text_.size() && NameByte(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }

  void SkipBlanks() {
    while (at_ < text_.size() && Blank(text_[at_])) ++at_;
  }

  std::optional<std::string> EndTag() {
    at_ += 2;
    std::string_view name = Name();
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '>') return Problem("an end tag is not closed by '>'");
    ++at_;
    if (open_.empty() || openNames_.back() != name) {
      return Problem("the end tag '" + std::string(name) + "' closes no open element of that name");
    }
    open_.pop_back();
    openNames_.pop_back();
    return std::nullopt;
  }

  std::optional<std::string> StartTag() {
    ++at_;
    std::string_view name = Name();
    if (name.empty()) return Problem("'<' begins no tag");
    if (open_.size() >= kDeepest) return Problem("elements nest deeper than 256");
    if (elements_.size() >= kMostElements) return Problem("more than 1048576 elements");
    XmlElement element;
    element.name = LocalName(name);
    element.line = LineAt(at_);
    element.parent = open_.empty() ? -1 : static_cast<std::ptrdiff_t>(open_.back());
    for (;;) {
      std::size_t before = at_;
      SkipBlanks();
      if (at_ >= text_.size()) return Problem("the tag '" + std::string(name) + "' is never closed");
      if (text_[at_] == '>' || Ahead("/>")) break;
      if (at_ == before) return Problem("attributes of '" + std::string(name) + "' need blanks between them");
      std::string_view key = Name();
      if (key.empty()) return Problem("a stray character in the tag '" + std::string(name) + "'");
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] != '=') return Problem("the attribute '" + std::string(key) + "' has no value");
      ++at_;
      SkipBlanks();
      if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) {
        return Problem("the value of '" + std::string(key) + "' is not quoted");
      }
      char quote = text_[at_];
      std::size_t close = text_.find(quote, at_ + 1);
      if (close == std::string_view::npos) return Problem("the value of '" + std::string(key) + "' is never closed");
      std::string value;
      if (auto problem = Decode(text_.substr(at_ + 1, close - at_ - 1), value)) return problem;
      at_ = close + 1;
      std::string local = LocalName(key);
      if (element.Attribute(local) != nullptr && key.find(':') == std::string_view::npos) {
        return Problem("the attribute '" + std::string(key) + "' stands twice");
      }
      if (element.Attribute(local) == nullptr) element.attributes.emplace_back(local, std::move(value));
    }
    bool empty = Ahead("/>");
    at_ += empty ? 2 : 1;
    elements_.push_back(std::move(element));
    if (!empty) {
      open_.push_back(elements_.size() - 1);
      openNames_.push_back(name);
    }
    return std::nullopt;
  }

  std::optional<std::string> Decode(std::string_view raw, std::string& value) {
    value.reserve(value.size() + raw.size());
    for (std::size_t k = 0; k < raw.size(); ++k) {
      // A run of plain characters goes in at once.
      std::size_t plain = k;
      while (plain < raw.size() && !kNotPlain[static_cast<unsigned char>(raw[plain])]) ++plain;
      if (plain > k) {
        value.append(raw.data() + k, plain - k);
        k = plain - 1;
        continue;
      }
      char c = raw[k];
      if (c == '<') return Problem("'<' in an attribute value");
      if (c != '&') {
        // Blanks in a value stand as spaces.
        value += ' ';
        continue;
      }
      std::size_t semicolon = raw.find(';', k);
      if (semicolon == std::string_view::npos) return Problem("'&' begins no reference");
      std::string_view entity = raw.substr(k + 1, semicolon - k - 1);
      k = semicolon;
      if (entity == "lt") {
        value += '<';
      } else if (entity == "gt") {
        value += '>';
      } else if (entity == "amp") {
        value += '&';
      } else if (entity == "quot") {
        value += '"';
      } else if (entity == "apos") {
        value += '\'';
      } else if (!entity.empty() && entity[0] == '#') {
        bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
        std::string_view digits = entity.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
            code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
          return Problem("'&" + std::string(entity.substr(0, 12)) + ";' is no character");
        }
        AppendUtf8(value, code);
      } else {
        return Problem("the entity '&" + std::string(entity.substr(0, 24)) + ";' is not declared");
      }
    }
    return std::nullopt;
  }

  // The line of a place at or after the last one asked about: the lines
  // are counted once, as the reading moves on.
  std::size_t LineAt(std::size_t place) {
    place = std::min(place, text_.size());
    if (place > countedTo_) {
      line_ += static_cast<std::size_t>(std::count(text_.begin() + countedTo_, text_.begin() + place, '\n'));
      countedTo_ = place;
    }
    return line_;
  }

  std::string_view text_;
  std::vector<XmlElement>& elements_;
  std::size_t at_ = 0;
  std::size_t countedTo_ = 0;
  std::size_t line_ = 1;
  std::vector<std::size_t> open_;
  std::vector<std::string_view> openNames_;
};

}  // namespace

const std::string* XmlElement::Attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::optional<std::string> ReadXml(std::string_view text, std::vector<XmlElement>& elements) {
  return Reader(text, elements).Read();
}

}  // namespace morlune::convert
