// A glyph's ink as a round pen leaves it: every pen-down line and arc swept
// by a disk, the sweeps united into closed contours without overlaps, on
// an integer grid fine enough that its steps do not show.
#pragma once

#include <cstddef>
#include <vector>

#include <polyclipping/clipper.hpp>

#include <morlune/geometry.h>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"

namespace morlune::convert {

// The union is taken on this many grid steps per output font unit.
inline constexpr double kGridStepsPerUnit = 64;
// A glyph's points are stored as 16-bit steps from one to the next: no
// point of an outline may pass half that range (eight em either way).
inline constexpr double kFarthestCoordinate = 16383;

struct PenSettings {
  double scale = 1;      // output font units per unit of the glyphs drawn
  double radius = 1;     // half the pen's width, in output units
  double tolerance = 1;  // how far the outline may stray from the pen's, in output units
};

// A piece of a circle the pen's centre followed, kept exactly for
// measuring the outline against (output units, radians, counterclockwise
// positive).
struct CircleArc {
  Point centre;
  double radius = 0;
  double start = 0;
  double sweep = 0;
  Point from;
  Point to;
};

// The path of the pen's centre as kept: out-of-range points pulled in,
// elliptic arcs as fine straight pieces, circular ones exact.
struct CentreLine {
  std::vector<LineSegment> lines;
  std::vector<CircleArc> arcs;
  bool Empty() const { return lines.empty() && arcs.empty(); }
};

// One closed contour of the outline, in output units. Outer contours turn
// clockwise (y up) and holes counterclockwise, so that the ink is where
// the winding is not zero; an outer one comes first in its group, its
// holes after it.
struct PenContour {
  std::vector<Point> points;
  bool hole = false;
  std::size_t group = 0;
};

// Takes a glyph's pieces as the drawing gives them (units of the glyphs
// drawn) and gives the outline of their sweep.
class PenOutline : public GeometrySink {
 public:
  // The straight pieces one glyph and the whole font may be cut into:
  // past them a glyph is cut short where it passes.
  static constexpr long long kGlyphPieces = 1 << 14;
  static constexpr long long kFontPieces = 1 << 22;
  // Strokes go to the union in runs of at most kRunPieces straight
  // pieces, batches of about kBatchPieces; a union of more vertices than
  // kMostUnionVertices stops the glyph there.
  static constexpr std::size_t kRunPieces = 16;
  static constexpr std::size_t kBatchPieces = 32;
  static constexpr std::size_t kMostUnionVertices = 1 << 20;
  // At most this many straight pieces per arc.
  static constexpr int kMostArcPieces = 4096;

  explicit PenOutline(const PenSettings& settings);

  void StartGlyph();
  void Line(Point from, Point to) override;
  void Arc(const ArcSegment& arc) override;

  // The outline of what was drawn since StartGlyph. Points pulled into
  // range and a glyph cut short go to losses.
  std::vector<PenContour> Finish(LossReport& losses);

  const CentreLine& Centre() const { return centre_; }
  // True when the glyph was cut short (and reported so).
  bool Cut() const { return cut_; }
  // The pieces handed to the union, for tests.
  const ClipperLib::Paths& Strokes() const { return strokes_; }

  // The farthest a centre-line point may lie from the origin on either
  // axis, so that the pen's sweep stays within the 16-bit range.
  double Reach() const { return reach_; }

 private:
  // Output units, pulled into range; counts what it moves.
  Point Kept(Point p);
  ClipperLib::IntPoint Grid(Point p) const;
  // Continues the open stroke where the piece starts at its end, else
  // starts another.
  void Stroke(const std::vector<Point>& points);
  bool TakePieces(long long pieces);
  // The union of every stroke's sweep, outer contours counterclockwise.
  ClipperLib::Paths SweptUnion();

  PenSettings settings_;
  double reach_;
  double arcTolerance_;  // grid steps
  ClipperLib::Paths strokes_;
  CentreLine centre_;
  long long glyphPieces_ = 0;
  long long fontPieces_ = 0;
  long long fineLeft_ = 0;  // straight pieces left for measuring elliptic arcs finely
  bool cut_ = false;
  long long clamped_ = 0;
  double farthestClamp_ = 0;  // output units
};

}  // namespace morlune::convert
