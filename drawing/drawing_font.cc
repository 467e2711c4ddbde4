// The font's records indexed by code, and its font-header values.
#include "drawing/drawing_font.h"

#include <utility>

namespace morlune {

DrawingFont::DrawingFont(const unsigned char* data, std::size_t size, ShapeFileKind kind, FontWalk walk)
    : data_(data), size_(size), kind_(kind), walk_(std::move(walk)), firstRecord_(65536, -1),
      kept_(walk_.records.size()) {
  for (std::size_t i = walk_.records.size(); i-- > 0;) firstRecord_[walk_.records[i].code] = static_cast<std::int32_t>(i);
  headerRecord_ = firstRecord_[0];
  if (headerRecord_ >= 0) {
    std::size_t at = walk_.records[static_cast<std::size_t>(headerRecord_)].specOffset;
    height_ = at < size_ ? data_[at] : 0;
  }
}

std::string_view DrawingFont::Name(int record) const {
  const WalkedRecord& walked = walk_.records[static_cast<std::size_t>(record)];
  return std::string_view(reinterpret_cast<const char*>(data_ + walked.nameOffset), walked.nameLength);
}

std::vector<int> DrawingFont::HeaderValues() const {
  std::vector<int> values;
  if (headerRecord_ < 0) return values;
  std::size_t at = walk_.records[static_cast<std::size_t>(headerRecord_)].specOffset;
  std::size_t count = kind_ == ShapeFileKind::kUnifont10 ? 6 : 4;
  for (std::size_t i = 0; i < count && at + i < size_; ++i) values.push_back(data_[at + i]);
  return values;
}

int DrawingFont::Depth() const {
  std::vector<int> values = HeaderValues();
  return values.size() > 1 ? values[1] : 0;
}

KeptSplit& DrawingFont::KeptSplitOf(int record) {
  std::unique_ptr<KeptSplit>& kept = kept_[static_cast<std::size_t>(record)];
  if (!kept) kept = std::make_unique<KeptSplit>();
  return *kept;
}

}  // namespace morlune
