// A font to and from the single-stroke interchange formats: an opened Font
// exported as the bytes of an SVG font, Hershey glyph lines or a
// single-line font, with what the format could not carry; such bytes
// imported as a Font, with its source text and how closely it follows them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/compile.h>
#include <morlune/export.h>
#include <morlune/font.h>
#include <morlune/result.h>

namespace morlune {

enum class FontFormat : std::uint8_t {
  kCompiled,  // kqx: a compiled shape font of any variant
  kSource,    // kqs: shape source text
  kSvg,       // svg: an SVG font
  kJhf,       // jhf: Hershey glyph lines
  kLff,       // lff: a single-line font of drafting programs
};

// "kqx", "kqs", "svg", "jhf", "lff".
MORLUNE_API std::string_view FontFormatName(FontFormat format);
// From such a name, in any case.
MORLUNE_API std::optional<FontFormat> FontFormatFromName(std::string_view name);
// From a path's extension; nothing for "-" or an extension of no format.
MORLUNE_API std::optional<FontFormat> FontFormatOfPath(std::string_view path);

// What an export could not carry, by kind.
enum class LossKind : std::uint8_t {
  kArcsFlattened,    // arcs written as straight pieces; largest: the farthest the pieces stray
  kPointsMoved,      // points rounded to the format's grid; largest: the farthest move
  kAdvancesMoved,    // advances the format cannot hold exactly; largest: the largest change
  kCodesDropped,     // glyphs whose code the format cannot hold
  kVerticalDropped,  // items that apply to vertical text only
  kPointsClamped,    // points outside the range the format can hold, pulled in
  kStrokesCut,       // glyphs whose strokes pass what one record of the format holds
  kDrawingStopped,   // glyphs whose drawing stopped early or skipped a part (the font's own fault)
  kInkedNoWidth,     // glyphs that draw but have no width, which the format's reader skips
  kBlankDropped,     // glyphs of an advance alone, which the format cannot hold
  kRecordsUnreached, // records the font's index announces and the file does not hold
};

struct Loss {
  LossKind kind = LossKind::kArcsFlattened;
  long long count = 0;
  double largest = 0;  // in font units; 0 for the kinds without an amount
  std::string text;    // "arcs flattened: 3 (at most 0.0125 font units off the arc)"
};

struct ExportOptions {
  FontFormat format = FontFormat::kSvg;  // svg, jhf or lff
  // The code page of a shapes font's or a bigfont's codes (iconv's names;
  // on Windows a code page number). Empty: a shapes font's codes are
  // Latin-1 with 127, 128 and 129 as degree, plus-minus and diameter; a
  // bigfont needs one.
  std::string encoding;
  // The font's name in an SVG font, where its reader finds it.
  std::string name = "font";
  // Any loss is an error (kLossy) and no bytes are returned.
  bool strict = false;
  // Where an LFF's glyphs wait past 1 MiB while its header is made: a
  // folder on the disk of the output; empty: the system's temporary folder.
  std::string scratchFolder;
};

struct ExportedFont {
  std::vector<Byte> bytes;
  std::vector<Loss> losses;  // in the order of the kinds, those met
};

MORLUNE_API Result<ExportedFont> ExportFont(const Font& font, const ExportOptions& options);
// Why an export with these options cannot begin, before any output is
// made: kNotAFont for a font whose index cannot be read or that holds no
// glyph; kBadArgument for a format that is no interchange format; kEncoding
// for a code page the system does not know or that cannot be a bigfont's.
// Nothing where it can.
MORLUNE_API std::optional<Error> ExportRefusal(const Font& font, const ExportOptions& options);
// The same, the bytes handed to write piece by piece as the glyphs are
// drawn, for an output too large to hold; strict is left to the caller,
// which drops what it was given where losses come back.
MORLUNE_API Result<std::vector<Loss>> ExportFont(const Font& font, const ExportOptions& options,
                                                 const std::function<void(std::string_view)>& write);

struct ImportOptions {
  FontFormat format = FontFormat::kSvg;  // of the bytes: svg, jhf or lff
  std::string name = "font";             // the font's name where the bytes give none
  int heightUnits = 0;                   // font units per capital height; 0: the smallest within the tolerance
  double tolerance = 0.01;               // in the input's units, or with tolerancePerCap a share of the capital height
  bool tolerancePerCap = true;
  std::optional<Variant> variant;  // shapes11, unifont or bigfont; unset: shapes 1.1 where every code fits a byte
  std::string encoding;            // the code page of a shapes font's or a bigfont's codes
  // An input read otherwise than as the format is written (see
  // readingNotes) is an error, kLossy, and nothing is imported.
  bool strict = false;
};

struct ImportedFont {
  Font font;               // compiled from sourceText
  std::string sourceText;  // the source text written
  int heightUnits = 0;
  double tolerance = 0;                // in the input's units
  double largestError = 0;             // measured on the drawing of the font, in the input's units
  char32_t largestErrorCharacter = 0;  // the glyph that strays that far
  long long glyphs = 0;
  long long charactersLeftOut = 0;  // characters the variant's codes cannot hold
  // What morlune-convert tells of the import, a sentence a line: the
  // characters left out, the grid and the largest error, and the error
  // past the tolerance where a grid given forces one.
  std::vector<std::string> report;
};

// Errors: kNotAFont where the bytes are no font of the format or cannot be
// made a shape font (the message says which), kEncoding and kBadArgument
// for options that cannot be followed, kSourceErrors for source text the
// font's records cannot make (a fault of the import, with its diagnostics),
// kLossy for a strict import of an input read otherwise than as written.
// readingNotes, where given, takes what the reader took otherwise than as
// the format is written (codes given twice, numbers that do not parse, ...),
// a line per kind with its count and first lines, as soon as the bytes are
// read: also where the import then fails.
MORLUNE_API Result<ImportedFont> ImportFont(std::span<const Byte> bytes, const ImportOptions& options,
                                            std::vector<std::string>* readingNotes = nullptr);

}  // namespace morlune
