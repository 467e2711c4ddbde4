// A compiled font as the drawing sees it: the decompiler's walk of its
// records, each record's name and specification bytes, the font's height,
// and the record that a code names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/item_split.h"
#include "fontfile/record_walk.h"

namespace morlune {

// What the drawing looks up in a font, fixed once the font is walked: one
// of it serves every run over the font, at once if need be.
struct FontLookup {
  // The bytes must outlive the lookup; walk is WalkFontRecords of them.
  FontLookup(const unsigned char* data, std::size_t size, Variant kind, FontWalk walk);

  const unsigned char* data;
  std::size_t size;
  Variant kind;
  FontWalk walk;
  int headerRecord = -1;
  int height = 0;
  // Per code up to the highest of the walk: the first record with it, or -1.
  std::vector<std::int32_t> firstRecord;

  // The first record of the walk with the code, or -1.
  int FirstRecord(std::uint16_t code) const { return code < firstRecord.size() ? firstRecord[code] : -1; }
};

class DrawingFont {
 public:
  // The bytes must outlive the font; walk is WalkFontRecords of them.
  DrawingFont(const unsigned char* data, std::size_t size, Variant kind, FontWalk walk);
  // A run over a lookup that outlives it.
  explicit DrawingFont(const FontLookup& lookup) : lookup_(&lookup) {}

  const FontLookup& Lookup() const { return *lookup_; }
  Variant Kind() const { return lookup_->kind; }
  std::size_t FileSize() const { return lookup_->size; }
  const FontWalk& Walk() const { return lookup_->walk; }
  int RecordCount() const { return static_cast<int>(lookup_->walk.records.size()); }
  std::uint16_t Code(int record) const { return lookup_->walk.records[static_cast<std::size_t>(record)].code; }
  std::string_view Name(int record) const;
  const unsigned char* Spec(int record) const {
    return lookup_->data + lookup_->walk.records[static_cast<std::size_t>(record)].specOffset;
  }
  std::size_t SpecSize(int record) const { return lookup_->walk.records[static_cast<std::size_t>(record)].specSize; }
  // True where the file ends before the data bytes that the record declares.
  bool CutByFileEnd(int record) const {
    const WalkedRecord& walked = lookup_->walk.records[static_cast<std::size_t>(record)];
    return walked.counter > 0 && walked.specSize < static_cast<std::size_t>(walked.counter);
  }

  // H: the first byte after the name of the first font-header record of
  // the walk, 0 without one.
  int Height() const { return lookup_->height; }
  // The depth below the baseline: the byte after H, 0 without it.
  int Depth() const;
  // The bytes after that record's name that the file holds, at most as
  // many as the variant's header has (4, or 6 in a unifont).
  std::vector<int> HeaderValues() const;
  // The first record of the walk with the code, or -1.
  int FindRecord(std::uint16_t code) const { return lookup_->FirstRecord(code); }

  // The split of a record called as a subshape, kept for the whole run;
  // KeptSplitIfAny gives it only where one has been started.
  KeptSplit& KeptSplitOf(int record);
  KeptSplit* KeptSplitIfAny(int record) {
    if (kept_.empty()) return nullptr;
    auto found = kept_.find(record);
    return found == kept_.end() ? nullptr : found->second.get();
  }

 private:
  std::unique_ptr<FontLookup> owned_;
  const FontLookup* lookup_;
  std::unordered_map<int, std::unique_ptr<KeptSplit>> kept_;
};

}  // namespace morlune
