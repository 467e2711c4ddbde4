// The raw module's conversions: copies made by the typed arrays'
// constructors from views of the wasm memory, so that nothing handed to
// JavaScript points into memory that a later call may move or free.
#include "web/js_values.h"

#include <variant>

#include <emscripten/bind.h>

namespace morlune::web {
namespace {

const char* KindWord(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kNotAFont: return "notAFont";
    case ErrorKind::kUnreadable: return "unreadable";
    case ErrorKind::kSourceErrors: return "sourceErrors";
    case ErrorKind::kNoSuchCode: return "noSuchCode";
    case ErrorKind::kBadArgument: return "badArgument";
    case ErrorKind::kEncoding: return "encoding";
    case ErrorKind::kLossy: return "lossy";
  }
  return "badArgument";
}

template <typename T>
val CopiedArray(const val& constructor, std::span<const T> items) {
  return constructor.new_(emscripten::typed_memory_view(items.size(), items.data()));
}

}  // namespace

std::span<const Byte> ByteSpan(const std::string& bytes) {
  return {reinterpret_cast<const Byte*>(bytes.data()), bytes.size()};
}

val BytesValue(std::span<const Byte> bytes) {
  static const val type = val::global("Uint8Array");
  return CopiedArray(type, bytes);
}

val BytesValue(std::string_view bytes) {
  return BytesValue(std::span<const Byte>(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()));
}

val NumbersValue(std::span<const double> numbers) {
  static const val type = val::global("Float64Array");
  return CopiedArray(type, numbers);
}

val CountsValue(std::span<const std::uint32_t> counts) {
  static const val type = val::global("Uint32Array");
  return CopiedArray(type, counts);
}

val DiagnosticsValue(const std::vector<Diagnostic>& diagnostics) {
  val list = val::array();
  for (const Diagnostic& diagnostic : diagnostics) {
    val item = val::object();
    item.set("line", static_cast<double>(diagnostic.line));
    item.set("column", static_cast<double>(diagnostic.column));
    item.set("isError", diagnostic.isError);
    item.set("message", diagnostic.message);
    list.call<void>("push", item);
  }
  return list;
}

val StringsValue(const std::vector<std::string>& strings) {
  val list = val::array();
  for (const std::string& text : strings) list.call<void>("push", text);
  return list;
}

val ErrorValue(const Error& error) {
  val result = ErrorValue(KindWord(error.kind), error.message);
  result["error"].set("diagnostics", DiagnosticsValue(error.diagnostics));
  return result;
}

val ErrorValue(std::string_view kind, std::string_view message) {
  val detail = val::object();
  detail.set("kind", std::string(kind));
  detail.set("message", std::string(message));
  detail.set("diagnostics", val::array());
  val result = val::object();
  result.set("error", detail);
  return result;
}

void PackPaths(const std::vector<Path>& paths, std::vector<double>& numbers) {
  numbers.push_back(static_cast<double>(paths.size()));
  for (const Path& path : paths) {
    numbers.insert(numbers.end(), {path.start.x, path.start.y, static_cast<double>(path.segments.size())});
    for (const Segment& segment : path.segments) {
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        numbers.insert(numbers.end(), {0, line->from.x, line->from.y, line->to.x, line->to.y});
      } else {
        const auto& arc = std::get<ArcSegment>(segment);
        numbers.insert(numbers.end(), {1, arc.from.x, arc.from.y, arc.to.x, arc.to.y, arc.centre.x, arc.centre.y,
                                       arc.axisX, arc.axisY, arc.sweep, arc.shear});
      }
    }
  }
}

bool VariantOption(const std::string& name, std::optional<Variant>& variant) {
  variant.reset();
  if (name.empty()) return true;
  variant = VariantFromName(name);
  return variant.has_value();
}

}  // namespace morlune::web
