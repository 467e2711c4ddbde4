// The font's records indexed by code, and its font-header values.
#include "drawing/drawing_font.h"

#include <algorithm>
#include <utility>

namespace morlune {

FontLookup::FontLookup(const unsigned char* bytes, std::size_t length, Variant variant, FontWalk walked)
    : data(bytes), size(length), kind(variant), walk(std::move(walked)) {
  // As long as the highest code needs, not all 65536: a small font is
  // walked and drawn in far less time than a table of every code takes.
  std::uint16_t highest = 0;
  for (const WalkedRecord& record : walk.records) highest = std::max(highest, record.code);
  firstRecord.assign(walk.records.empty() ? 0 : std::size_t{highest} + 1, -1);
  for (std::size_t i = walk.records.size(); i-- > 0;) firstRecord[walk.records[i].code] = static_cast<std::int32_t>(i);
  headerRecord = FirstRecord(0);
  if (headerRecord >= 0) {
    std::size_t at = walk.records[static_cast<std::size_t>(headerRecord)].specOffset;
    height = at < size ? data[at] : 0;
  }
}

DrawingFont::DrawingFont(const unsigned char* data, std::size_t size, Variant kind, FontWalk walk)
    : owned_(std::make_unique<FontLookup>(data, size, kind, std::move(walk))), lookup_(owned_.get()) {}

std::string_view DrawingFont::Name(int record) const {
  const WalkedRecord& walked = lookup_->walk.records[static_cast<std::size_t>(record)];
  return std::string_view(reinterpret_cast<const char*>(lookup_->data + walked.nameOffset), walked.nameLength);
}

std::vector<int> DrawingFont::HeaderValues() const {
  std::vector<int> values;
  if (lookup_->headerRecord < 0) return values;
  std::size_t at = lookup_->walk.records[static_cast<std::size_t>(lookup_->headerRecord)].specOffset;
  std::size_t count = lookup_->kind == Variant::kUnifont ? 6 : 4;
  for (std::size_t i = 0; i < count && at + i < lookup_->size; ++i) values.push_back(lookup_->data[at + i]);
  return values;
}

int DrawingFont::Depth() const {
  std::vector<int> values = HeaderValues();
  return values.size() > 1 ? values[1] : 0;
}

KeptSplit& DrawingFont::KeptSplitOf(int record) {
  std::unique_ptr<KeptSplit>& kept = kept_[record];
  if (!kept) kept = std::make_unique<KeptSplit>();
  return *kept;
}

}  // namespace morlune
