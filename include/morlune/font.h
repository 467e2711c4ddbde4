// A compiled shape font, opened from bytes or a file (source text is
// compiled first): its variant, its records in the decompiler's order, its
// header values, its source text and the geometry of its glyphs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/compile.h>
#include <morlune/export.h>
#include <morlune/geometry.h>
#include <morlune/result.h>

namespace morlune {

// One record as the decompiler walks it. The spans point into the font's
// bytes and stay valid while the Font (or a copy of it) lives.
struct Record {
  std::uint32_t code = 0;
  std::span<const Byte> name;  // as stored, without its zero byte
  std::span<const Byte> data;  // the declared data bytes that the file holds
  // The name morlune gives the record when it has none stored: from the
  // table of character names, or none.
  std::optional<std::string> defaultName;
};

// The font-header record's values (code 0).
struct FontHeader {
  bool present = false;  // the walk met a font-header record
  int height = 0;        // units above the baseline (the drawing's H)
  int depth = 0;         // units below it
  int modes = 0;         // 2 where the font also has vertical forms
};

// A bigfont's range of lead bytes that begin two-byte codes.
struct EscapeRange {
  std::uint8_t first = 0;
  std::uint8_t last = 0;
};

struct DecompileOptions {
  bool decimal = false;  // morlune -d: codes in decimal
  bool escaped = false;  // morlune -e: "esc:" names for unnamed two-byte codes
};

struct Decompiled {
  std::string text;                  // exactly what morlune writes on standard output
  std::vector<std::string> notices;  // what it writes on standard error, e.g. "Seek error"
};

class MORLUNE_API Font {
 public:
  // A compiled font, or source text (compiled with the given options; its
  // warnings are kept in compileDiagnostics()).
  static Result<Font> FromBytes(std::span<const Byte> bytes, const CompileOptions& options = {});
  // The same, the source text's every problem (errors where it fails) in
  // problems, with the count of those not kept; left empty for a compiled
  // font. The tools take their input so.
  static Result<Font> FromBytes(std::span<const Byte> bytes, const CompileOptions& options,
                                SourceProblems& problems);
  static Result<Font> Open(const std::filesystem::path& path, const CompileOptions& options = {});

  Variant variant() const;
  // The compiled font's bytes (those compiled from source text, for a text).
  std::span<const Byte> bytes() const;
  const std::vector<Record>& records() const;
  // The first record the walk visits with that code, or null.
  const Record* Find(std::uint32_t code) const;
  const FontHeader& header() const;
  const std::vector<EscapeRange>& escapeRanges() const;  // empty but for a bigfont
  const std::vector<Diagnostic>& compileDiagnostics() const;
  // True where the font was compiled from source text.
  bool fromSource() const;

  Decompiled Decompile(const DecompileOptions& options = {}) const;
  // Compiles the decompiled text back (what morlune | morlune-compile gives).
  Result<std::vector<Byte>> CompileBack(const CompileOptions& options = {}) const;

  // The geometry of the first record with that code, drawn as a character.
  Result<Glyph> GlyphOf(std::uint32_t code, const DrawLimits& limits = {}) const;
  // What morlune-draw --list writes for the whole font.
  std::string Listing(const DrawLimits& limits = {}) const;

 private:
  struct State;
  friend struct FontAccess;  // the library's own parts reach the opened font
  explicit Font(std::shared_ptr<const State> state);
  std::shared_ptr<const State> state_;
};

}  // namespace morlune
