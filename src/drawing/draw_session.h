// One run's drawing of characters: the drawer with the run's budget, and
// the telling of each character's warnings under its code.
#pragma once

#include <cstdint>

#include "drawing/character_drawer.h"
#include "drawing/draw_messages.h"
#include "drawing/draw_limits.h"

namespace morlune {

class DrawSession {
 public:
  // With messages null the warnings are not told (a pass that only
  // measures).
  DrawSession(DrawingFont& font, DrawMessages* messages, const DrawLimits& limits = {})
      : budget_(font.FileSize(), limits), drawer_(font, budget_), messages_(messages), font_(font) {}

  // Draws the record as a character, tells its warnings, and returns its
  // advance.
  Point Draw(int record, GeometrySink& sink);
  // What the last Draw skipped or where it stopped, and whether it met the
  // end of the run's budget.
  const WarningTally& Warnings() const { return drawer_.Warnings(); }
  bool SpentTheRun() const { return drawer_.SpentTheRun(); }
  const RunBudget& Budget() const { return budget_; }

 private:
  RunBudget budget_;
  CharacterDrawer drawer_;
  DrawMessages* messages_;
  DrawingFont& font_;
};

}  // namespace morlune
