// Warnings of a character, and the one warning of a run that has taken all
// the items its file allows.
#include "drawing/draw_session.h"

#include <string>

namespace morlune {

Point DrawSession::Draw(int record, GeometrySink& sink) {
  Point advance = drawer_.Draw(record, sink);
  if (messages_ == nullptr) return advance;
  int code = font_.Code(record);
  for (const WarningTally::Entry& entry : drawer_.Warnings().Entries()) {
    messages_->GlyphWarned(code, {entry.warning, static_cast<std::uint32_t>(entry.code), entry.count,
                                  TalliedWarningText(entry, budget_)});
  }
  if (drawer_.SpentTheRun()) {
    messages_->GlyphWarned(code, {DrawWarning::kRunSpent, static_cast<std::uint32_t>(code), 1,
                                  DrawWarningText(DrawWarning::kRunSpent, code, budget_)});
  }
  return advance;
}

}  // namespace morlune
