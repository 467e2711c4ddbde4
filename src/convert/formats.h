// The five kinds of file the converter reads and writes, and how a file's
// name or an option names one.
#pragma once

#include <optional>
#include <string_view>

#include <morlune/convert.h>

namespace morlune::convert {

// The library's own list of the formats.
using FileFormat = FontFormat;

// "kqx", "kqs", "svg", "jhf", "lff".
std::string_view FormatName(FileFormat format);
// From a name as --from and --to take it (case-insensitive).
std::optional<FileFormat> FormatFromName(std::string_view name);
// From the extension of a path; nothing for "-" or an unknown extension.
std::optional<FileFormat> FormatFromPath(std::string_view path);

// The formats that hold shapes as the compiler's records.
inline bool IsShapeFormat(FileFormat format) {
  return format == FileFormat::kCompiled || format == FileFormat::kSource;
}

}  // namespace morlune::convert
