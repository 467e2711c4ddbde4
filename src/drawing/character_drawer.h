// The pen: draws one character of a font, its record's items and the
// subshapes they call, into a geometry sink, within the drawing's bounds.
#pragma once

#include <cstdint>
#include <vector>

#include "drawing/draw_limits.h"
#include "drawing/draw_warnings.h"
#include "drawing/drawing_font.h"
#include "drawing/geometry.h"

namespace morlune {

class CharacterDrawer {
 public:
  CharacterDrawer(DrawingFont& font, RunBudget& budget);

  // Draws the record as a character into the sink and returns its advance:
  // where its pen stands at the end, or where the character stopped. With
  // the run's budget spent before it, nothing is drawn and the advance is
  // (0, 0).
  Point Draw(int record, GeometrySink& sink);
  // What the last Draw skipped or where it stopped.
  const WarningTally& Warnings() const { return warnings_; }
  // True when the last Draw met the end of the run's budget.
  bool SpentTheRun() const { return spentNow_; }

 private:
  struct Pen;
  bool DrawRecord(int record, Pen& pen, int depth, KeptSplit* kept);
  bool Carry(const unsigned char* spec, ItemSpan span, Pen& pen, int depth);
  bool Take();
  bool TakeMany(std::int64_t items);
  bool Stop(DrawWarning warning);
  int CurrentCode() const;
  bool Rescale(Pen& pen, int code, int factor);
  bool Subshape(const ShapeItem& item, Pen& pen, int depth);
  bool MoveBy(Pen& pen, double dx, double dy);
  bool MoveTo(Pen& pen, double x, double y);
  bool OctantArc(Pen& pen, const ShapeItem& item);
  bool FractionalArc(Pen& pen, const ShapeItem& item);
  bool Bulge(Pen& pen, int dx, int dy, int bulge);
  bool Arc(Pen& pen, double radius, double startAngle, double sweep);

  DrawingFont& font_;
  RunBudget& budget_;
  GeometrySink* sink_ = nullptr;
  WarningTally warnings_;
  std::int64_t characterItems_ = 0;
  bool spentNow_ = false;
  // The records on the current chain of subshapes, the character's own
  // first: at most the depth bound long, so a character costs nothing per
  // record of the font.
  std::vector<int> chain_;
};

}  // namespace morlune
