// Opening a font: source text compiled first, the compiled bytes recognised
// by their signature and walked once; what the walk found is kept for the
// accessors, the decompiling reads the bytes again as morlune does.
#include <morlune/font.h>

#include <cerrno>
#include <string>
#include <utility>

#include "api/font_state.h"
#include "compiler/compile_source.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"
#include "platform/byte_input.h"
#include "platform/error_text.h"
#include "platform/file_io.h"
#include "platform/read_all.h"
#include "platform/text_output.h"
#include "source/char_names.h"
#include "source/font_source.h"
#include "source/message_texts.h"

namespace morlune {
namespace {

// The escape ranges as lead bytes: the file keeps 16-bit values, and the
// part of a range past 0xFF holds no byte.
std::vector<EscapeRange> LeadByteRanges(const std::vector<EscapeRangeEntry>& stored) {
  std::vector<EscapeRange> ranges;
  for (const EscapeRangeEntry& range : stored) {
    if (range.first > 0xFF) continue;
    ranges.push_back({static_cast<std::uint8_t>(range.first),
                      static_cast<std::uint8_t>(range.last > 0xFF ? 0xFF : range.last)});
  }
  return ranges;
}

std::optional<std::string> DefaultName(std::uint32_t code) {
  EscapeNameBuffer buffer;
  std::string_view name = LookupCharName(static_cast<std::int32_t>(code), false, buffer);
  if (name == kUnspecifiedName) return std::nullopt;
  return std::string(name);
}

// The compiled bytes, already recognised, walked and kept.
std::shared_ptr<FontState> OpenCompiled(std::vector<Byte> bytes, Variant kind, std::size_t headStart,
                                          std::vector<Diagnostic> diagnostics) {
  auto state = std::make_shared<FontState>();
  state->bytes = std::move(bytes);
  state->kind = kind;
  state->diagnostics = std::move(diagnostics);
  const Byte* data = state->bytes.data();
  std::size_t size = state->bytes.size();
  state->lookup = std::make_unique<FontLookup>(data, size, kind, WalkFontRecords(data, size, headStart, kind));
  const FontWalk& walk = state->lookup->walk;
  state->records.reserve(walk.records.size());
  for (const WalkedRecord& walked : walk.records) {
    state->records.push_back({walked.code, std::span<const Byte>(data + walked.nameOffset, walked.nameLength),
                              std::span<const Byte>(data + walked.specOffset, walked.specSize),
                              DefaultName(walked.code)});
  }
  DrawingFont font(*state->lookup);
  if (state->lookup->headerRecord >= 0) {
    std::vector<int> values = font.HeaderValues();
    state->header.present = true;
    state->header.height = values.size() > 0 ? values[0] : 0;
    state->header.depth = values.size() > 1 ? values[1] : 0;
    state->header.modes = values.size() > 2 ? values[2] : 0;
  }
  state->escapeRanges = LeadByteRanges(walk.escapeRanges);
  return state;
}

std::optional<Variant> Recognise(std::span<const Byte> bytes, std::size_t& headStart) {
  ByteInput input;
  input.AttachMemory(bytes.data(), bytes.size());
  std::optional<Variant> kind = IdentifyShapeFile(input);
  headStart = static_cast<std::size_t>(input.Tell());
  return kind;
}

const char* HeadTroubleText(HeadResult head) {
  switch (head) {
    case HeadResult::kNoShapeIndex:
      return BuiltInMessage(IDS_NO_SHAPE_INDEX);
    case HeadResult::kNoHashTable:
      return BuiltInMessage(IDS_NO_HASH_TABLE);
    case HeadResult::kBadEntrySize:
      return BuiltInMessage(IDS_BAD_ENTRY_SIZE);
    case HeadResult::kReady:
      break;
  }
  return nullptr;
}

}  // namespace

Font::Font(std::shared_ptr<const State> state) : state_(std::move(state)) {}

Result<Font> Font::FromBytes(std::span<const Byte> bytes, const CompileOptions& options) {
  SourceProblems problems;
  return FromBytes(bytes, options, problems);
}

Result<Font> Font::FromBytes(std::span<const Byte> bytes, const CompileOptions& options, SourceProblems& problems) {
  problems = {};
  std::size_t headStart = 0;
  if (std::optional<Variant> kind = Recognise(bytes, headStart)) {
    return FontAccess::Make(OpenCompiled(std::vector<Byte>(bytes.begin(), bytes.end()), *kind, headStart, {}));
  }
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!IsShapeSourceText(text)) {
    return Error{ErrorKind::kNotAFont,
                 "not a compiled shape font (no variant's signature at its head) nor shape source text (no line "
                 "begins with a header)",
                 {}};
  }
  Result<std::vector<Byte>> compiled = Compile(text, options, problems);
  if (!compiled) return compiled.error();
  // What the compiler writes always opens with its variant's signature.
  Variant kind = Recognise(*compiled, headStart).value_or(Variant::kShapes11);
  std::shared_ptr<FontState> state = OpenCompiled(std::move(compiled).value(), kind, headStart, problems.diagnostics);
  state->fromSource = true;
  return FontAccess::Make(std::move(state));
}

Result<Font> Font::Open(const std::filesystem::path& path, const CompileOptions& options) {
  std::u8string utf8 = path.u8string();
  std::string name(utf8.begin(), utf8.end());
  errno = 0;
  int fd = OpenForReading(name.c_str());
  if (fd < 0) {
    // A folder opens, then is refused with no error number of its own.
    int error = errno != 0 ? errno : EISDIR;
    return Error{ErrorKind::kUnreadable, name + ": cannot open: " + SystemReason(error), {}};
  }
  InputBytes input = ReadAllFrom(fd);
  CloseFd(fd);
  if (input.error != 0) {
    return Error{ErrorKind::kUnreadable, name + ": cannot read: " + SystemReason(input.error), {}};
  }
  Result<Font> font = FromBytes(input.bytes, options);
  if (!font) {
    Error error = font.error();
    error.message = name + ": " + error.message;
    return error;
  }
  return font;
}

Variant Font::variant() const { return state_->kind; }
std::span<const Byte> Font::bytes() const { return state_->bytes; }
const std::vector<Record>& Font::records() const { return state_->records; }
const FontHeader& Font::header() const { return state_->header; }
const std::vector<EscapeRange>& Font::escapeRanges() const { return state_->escapeRanges; }
const std::vector<Diagnostic>& Font::compileDiagnostics() const { return state_->diagnostics; }
bool Font::fromSource() const { return state_->fromSource; }

const Record* Font::Find(std::uint32_t code) const {
  if (code > 0xFFFF) return nullptr;
  int record = state_->lookup->FirstRecord(static_cast<std::uint16_t>(code));
  return record < 0 ? nullptr : &state_->records[static_cast<std::size_t>(record)];
}

Decompiled Font::Decompile(const DecompileOptions& options) const {
  Decompiled result;
  TextOutput output;
  output.SetCrLfLineEnds(TextLineEndIsCrLf());
  output.AttachCapture(&result.text);
  output.Write(BuiltInMessage(IDS_BANNER));
  if (state_->kind == Variant::kShapes10) result.notices.emplace_back(BuiltInMessage(IDS_OLD_REVISION));
  ByteInput input;
  input.AttachMemory(state_->bytes.data(), state_->bytes.size());
  IdentifyShapeFile(input);
  FontReader reader(input, state_->kind);
  SourceWriter writer(output);
  FontSourceEnd end = WriteFontSource(reader, writer, {options.decimal, options.escaped});
  if (const char* trouble = HeadTroubleText(end.head)) result.notices.emplace_back(trouble);
  if (end.seekFailed) result.notices.emplace_back(kSeekErrorText);
  output.Flush();
  return result;
}

Result<std::vector<Byte>> Font::CompileBack(const CompileOptions& options) const {
  return Compile(Decompile({}).text, options);
}

}  // namespace morlune
