// Warnings of a character, and the one warning of a run that has taken all
// the items its file allows.
#include "drawing/draw_session.h"

#include <string>

namespace morlune {

Point DrawSession::Draw(int record, GeometrySink& sink) {
  Point advance = drawer_.Draw(record, sink);
  if (messages_ == nullptr) return advance;
  int code = font_.Code(record);
  drawer_.Warnings().Tell([&](const std::string& text) { messages_->ShapeWarning(code, text); });
  if (drawer_.SpentTheRun()) {
    messages_->ShapeWarning(code, "the run has taken the " + std::to_string(RunItemBound(font_.FileSize())) +
                                      " items that a file of this size allows; this character stops there "
                                      "and the characters after it are left empty");
  }
  return advance;
}

}  // namespace morlune
