// The reader of shape source text: the variant decided by the whole text,
// and a pass over it by that variant's rules.
#include "source/source_reader.h"

#include <optional>
#include <string>

#include "fontfile/signature.h"
#include "platform/byte_input.h"
#include "source/source_pass.h"

namespace morlune {
namespace {

using source_pass::Family;
using source_pass::FamilyOf;
using source_pass::kBigfontWord;
using source_pass::kUnifontWord;

// A first guess at the variant, from the first line that begins with a
// header: the decompiler puts a bigfont's "*BIGFONT" line, and usually a
// unifont's "*UNIFONT" header, before every other record. A wrong guess
// costs a second reading, never a wrong font.
Variant GuessVariant(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t first = text.find_first_not_of(" \t", at);
    if (first == std::string_view::npos) break;
    if (text[first] == '*') {
      std::string_view header = text.substr(first + 1);
      if (header.substr(0, kUnifontWord.size()) == kUnifontWord) return Variant::kUnifont;
      if (header.substr(0, kBigfontWord.size()) == kBigfontWord) return Variant::kBigfont;
      break;
    }
    if (text[first] != ';' && text[first] != '\n' && text[first] != '\r') break;
    std::size_t lineEnd = text.find('\n', first);
    if (lineEnd == std::string_view::npos) break;
    at = lineEnd + 1;
  }
  return Variant::kShapes11;
}

// The variant of a compiled font given where its source text was meant,
// told by the signature at its head, or none for anything else.
std::optional<Variant> CompiledFontKind(std::string_view text) {
  ByteInput head;
  head.AttachMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  return IdentifyShapeFile(head);
}

}  // namespace

bool HasHeaderLine(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t first = text.find_first_not_of(" \t", at);
    if (first == std::string_view::npos) return false;
    if (text[first] == '*') return true;
    std::size_t lineEnd = text.find('\n', first);
    if (lineEnd == std::string_view::npos) return false;
    at = lineEnd + 1;
  }
  return false;
}

SourceFont ReadSource(std::string_view text, const SourceReadOptions& options, Diagnostics& diagnostics) {
  // Read as text, a compiled font's every byte would be a problem of its
  // own: one line says what the file is, and what reads it.
  if (std::optional<Variant> compiled = CompiledFontKind(text)) {
    diagnostics.Error(SourcePlace{}, "this is a compiled font (" + std::string(SignatureVariantName(*compiled)) +
                                         "), not source text; morlune turns it into source text");
    return SourceFont{};
  }
  Variant assumed = GuessVariant(text);
  if (assumed == Variant::kShapes11 && options.variant) assumed = *options.variant;
  // The second reading, where there is one, has the variant right.
  for (int reading = 1;; ++reading) {
    SourceFont font;
    Diagnostics found;
    source_pass::SourcePass reader(text, assumed, options.takeCounted, font, found);
    reader.ReadAll();
    // The variant is the text's own; failing that, the one asked for.
    std::optional<Variant> own;
    std::optional<SourcePlace> ownPlace;
    bool both = reader.unifontHeader && reader.bigfontLine;
    if (both) {
      SourcePlace later = *reader.bigfontLine < *reader.unifontHeader ? *reader.unifontHeader : *reader.bigfontLine;
      found.Error(later, "a text holds a *UNIFONT header or a *BIGFONT line, not both");
    } else if (reader.unifontHeader) {
      own = Variant::kUnifont;
      ownPlace = reader.unifontHeader;
    } else if (reader.bigfontLine) {
      own = Variant::kBigfont;
      ownPlace = reader.bigfontLine;
    }
    Variant kind = options.variant ? *options.variant : Variant::kShapes11;
    if (own) {
      if (options.variant && FamilyOf(*options.variant) != FamilyOf(*own)) {
        found.Error(*ownPlace, "--variant " + std::string(VariantName(*options.variant)) + " does not apply to a " +
                                   std::string(VariantName(*own)) + " text");
      }
      kind = *own;
    }
    // Code 7 and the font-header values are read by the variant's rules:
    // read again when the guess was wrong. A text's own variant wins over
    // the one asked for, which is then an error: it is read by its own, so
    // that the error is the only one.
    if (FamilyOf(kind) != FamilyOf(assumed) && !both && reading == 1) {
      assumed = kind;
      continue;
    }
    font.kind = kind;
    diagnostics.Absorb(found);
    return font;
  }
}

}  // namespace morlune
