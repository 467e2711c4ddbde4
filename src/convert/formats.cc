// The formats by the names of their files' extensions, both ways.
#include "convert/formats.h"

#include <array>
#include <cctype>
#include <string>

namespace morlune::convert {
namespace {

constexpr std::array<std::pair<std::string_view, FileFormat>, 5> kNames = {{
    {"kqx", FileFormat::kCompiled},
    {"kqs", FileFormat::kSource},
    {"svg", FileFormat::kSvg},
    {"jhf", FileFormat::kJhf},
    {"lff", FileFormat::kLff},
}};

}  // namespace

std::string_view FormatName(FileFormat format) {
  for (const auto& [name, value] : kNames) {
    if (value == format) return name;
  }
  return "?";
}

std::optional<FileFormat> FormatFromName(std::string_view name) {
  std::string lower;
  for (char c : name) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  for (const auto& [known, value] : kNames) {
    if (known == lower) return value;
  }
  return std::nullopt;
}

std::optional<FileFormat> FormatFromPath(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = base.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  return FormatFromName(base.substr(dot + 1));
}

}  // namespace morlune::convert

namespace morlune {

std::string_view FontFormatName(FontFormat format) { return convert::FormatName(format); }
std::optional<FontFormat> FontFormatFromName(std::string_view name) { return convert::FormatFromName(name); }
std::optional<FontFormat> FontFormatOfPath(std::string_view path) { return convert::FormatFromPath(path); }

}  // namespace morlune
