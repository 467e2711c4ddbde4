// A small, careful reader of XML documents: elements with their attributes
// (entities and character references decoded) and their nesting; text,
// comments, processing instructions and a document type declaration are
// passed over. Bounded in depth and in elements, so that no document can
// take the stack or the memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morlune::convert {

struct XmlElement {
  std::string name;  // the local name: a prefix and its colon are dropped
  std::vector<std::pair<std::string, std::string>> attributes;  // local names too
  std::ptrdiff_t parent = -1;  // index of the enclosing element, -1 for the root
  std::size_t line = 0;        // where its start tag stands, from 1

  // The value of the attribute, or nothing.
  const std::string* Attribute(std::string_view name) const;
};

// Fills elements in document order. Returns the problem, with its line,
// where the text is not well-formed XML.
std::optional<std::string> ReadXml(std::string_view text, std::vector<XmlElement>& elements);

}  // namespace morlune::convert
