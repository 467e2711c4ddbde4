// A compiled font as the drawing sees it: the decompiler's walk of its
// records, each record's name and specification bytes, the font's height,
// and the record that a code names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "drawing/item_split.h"
#include "fontfile/record_walk.h"

namespace morlune {

class DrawingFont {
 public:
  // The bytes must outlive the font; walk is WalkFontRecords of them.
  DrawingFont(const unsigned char* data, std::size_t size, ShapeFileKind kind, FontWalk walk);

  ShapeFileKind Kind() const { return kind_; }
  std::size_t FileSize() const { return size_; }
  const FontWalk& Walk() const { return walk_; }
  int RecordCount() const { return static_cast<int>(walk_.records.size()); }
  std::uint16_t Code(int record) const { return walk_.records[static_cast<std::size_t>(record)].code; }
  std::string_view Name(int record) const;
  const unsigned char* Spec(int record) const { return data_ + walk_.records[static_cast<std::size_t>(record)].specOffset; }
  std::size_t SpecSize(int record) const { return walk_.records[static_cast<std::size_t>(record)].specSize; }
  // True where the file ends before the data bytes that the record declares.
  bool CutByFileEnd(int record) const {
    const WalkedRecord& walked = walk_.records[static_cast<std::size_t>(record)];
    return walked.counter > 0 && walked.specSize < static_cast<std::size_t>(walked.counter);
  }

  // H: the first byte after the name of the first font-header record of
  // the walk, 0 without one.
  int Height() const { return height_; }
  // The depth below the baseline: the byte after H, 0 without it.
  int Depth() const;
  // The bytes after that record's name that the file holds, at most as
  // many as the variant's header has (4, or 6 in a unifont).
  std::vector<int> HeaderValues() const;
  // The first record of the walk with the code, or -1.
  int FindRecord(std::uint16_t code) const { return firstRecord_[code]; }

  // The split of a record called as a subshape, kept for the whole run;
  // KeptSplitIfAny gives it only where one has been started.
  KeptSplit& KeptSplitOf(int record);
  KeptSplit* KeptSplitIfAny(int record) { return kept_[static_cast<std::size_t>(record)].get(); }

 private:
  const unsigned char* data_;
  std::size_t size_;
  ShapeFileKind kind_;
  FontWalk walk_;
  int headerRecord_ = -1;
  int height_ = 0;
  std::vector<std::int32_t> firstRecord_;
  std::vector<std::unique_ptr<KeptSplit>> kept_;
};

}  // namespace morlune
