// The arithmetic of the pieces the pen draws: points along an arc, arcs
// cut into straight pieces, bulges, and distances to lines.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include <morlune/geometry.h>

namespace morlune::convert {

// A bulge arc item: its bulge is 127 times the arc's height over half its
// chord, and its chord at most 127 units each way.
constexpr double kBulgeSteps = 127;
constexpr int kLargestChord = 127;

// The whole unit nearest v, kept within what a run of moves reaches
// without harm (ten million units either way).
inline double NearestGridUnit(double v) {
  constexpr double kFarthestUnit = 1e7;
  double kept = std::clamp(v, -kFarthestUnit, kFarthestUnit);
  if (!(kept == kept)) return kept;
  // Halves away from zero, as std::round has it, without its call: a
  // whole number this small goes through an integer exactly, and the rest
  // is exact too.
  double whole = static_cast<double>(static_cast<long long>(kept));
  double rest = kept - whole;
  if (rest >= 0.5) {
    whole += 1;
  } else if (rest <= -0.5) {
    whole -= 1;
  }
  return std::copysign(whole, kept);
}

// The point at share t (0 to 1) of the arc's sweep.
Point PointOnArc(const ArcSegment& arc, double t);

// The same points, the arc's start angle found once for all of them.
class ArcPoints {
 public:
  explicit ArcPoints(const ArcSegment& arc);
  Point At(double t) const;

 private:
  const ArcSegment& arc_;
  double start_;
};

// How many equal straight pieces stray at most tolerance from the arc: at
// least one, at most 4096.
int FlatPieces(const ArcSegment& arc, double tolerance);

// The points that cut the arc into those pieces, from `from` to `to` both
// included.
std::vector<Point> FlattenArc(const ArcSegment& arc, double tolerance);

// The straight pieces an export may cut arcs into: a glyph at most 65,536,
// the whole font 4,194,304. Within the drawing's bounds an arc is one item,
// but a huge ellipse takes 4,096 pieces, so that a small font of them
// would otherwise write gigabytes; a glyph whose arcs pass either bound is
// cut short at the arc that passes it.
class FlatteningBudget {
 public:
  static constexpr long long kGlyphPieces = 1 << 16;
  static constexpr long long kFontPieces = 1 << 22;

  void StartGlyph() { glyphLeft_ = kGlyphPieces; }
  // Takes the pieces, or false (taking none) where the glyph or the font
  // has not that many left.
  bool Take(int pieces) {
    if (pieces > glyphLeft_ || pieces > fontLeft_) return false;
    glyphLeft_ -= pieces;
    fontLeft_ -= pieces;
    return true;
  }
  // What the font has left: a second writing of the same glyphs starts
  // each where the first did.
  long long FontLeft() const { return fontLeft_; }
  void SetFontLeft(long long left) { fontLeft_ = left; }

 private:
  long long glyphLeft_ = kGlyphPieces;
  long long fontLeft_ = kFontPieces;
};

// How far p lies from the nearest point of the segment from a to b, along
// each axis.
inline Point OffSegment(Point p, Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return {p.x - (a.x + t * dx), p.y - (a.y + t * dy)};
}

// The distance from p to the segment from a to b, and its square (no
// root taken).
inline double DistanceToSegment(Point p, Point a, Point b) {
  Point off = OffSegment(p, a, b);
  return std::hypot(off.x, off.y);
}
inline double SquaredDistanceToSegment(Point p, Point a, Point b) {
  Point off = OffSegment(p, a, b);
  return off.x * off.x + off.y * off.y;
}

// The farthest the arc strays from the polyline whose piece k carries the
// arc's share k/n to (k+1)/n, sampled along each piece.
double ArcDistanceToPolyline(const ArcSegment& arc, const std::vector<Point>& polyline);

// The circular arc from `from` to `to` of the given bulge (tan of a quarter
// of its included angle, positive counterclockwise), or a zero arc with
// sweep 0 where the bulge or the chord is 0.
ArcSegment ArcOfBulge(Point from, Point to, double bulge);

// The largest x the arc reaches: its centre plus the x semi-axis where it
// passes the angle 0 on its way, else the larger of its ends.
double ArcRightmost(const ArcSegment& arc);

// The bulge of a circular arc of at most a half circle; arcs with unequal
// axes have none (returns false).
bool BulgeOfArc(const ArcSegment& arc, double& bulge);

}  // namespace morlune::convert
