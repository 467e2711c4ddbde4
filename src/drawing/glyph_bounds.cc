// Bounds of lines and of arcs: an arc's extremes along x and y lie at its
// end points or where it passes a quarter turn (a sheared arc's along x
// where its x turns back).
#include "drawing/glyph_bounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morlune {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// True where angle (degrees) lies strictly inside the sweep from start.
bool Inside(double angle, double start, double sweep) {
  double low = std::min(start, start + sweep), high = std::max(start, start + sweep);
  double turned = angle - 360 * std::floor((angle - low) / 360);
  return turned > low && turned < high;
}

}  // namespace

void AddToBox(Box& box, const ArcSegment& arc) {
  AddToBox(box, arc.from);
  AddToBox(box, arc.to);
  double shearX = arc.shear * arc.axisY;
  if (arc.axisX == 0 || arc.axisY == 0) {
    // Flattened by its frame onto a line through the centre.
    double reachX = std::fabs(arc.axisX) + std::fabs(shearX);
    AddToBox(box, Point{arc.centre.x - reachX, arc.centre.y - std::fabs(arc.axisY)});
    AddToBox(box, Point{arc.centre.x + reachX, arc.centre.y + std::fabs(arc.axisY)});
    return;
  }
  // The angle of from on the circle the ellipse was stretched from.
  double sine = (arc.from.y - arc.centre.y) / arc.axisY;
  double cosine = (arc.from.x - arc.centre.x - shearX * sine) / arc.axisX;
  double start = std::atan2(sine, cosine) / kDegree;
  double low = std::min(start, start + arc.sweep);
  double high = std::max(start, start + arc.sweep);
  // The quarter turns strictly inside the sweep; a piece sweeps at most a
  // full turn, so there are at most four.
  for (double quarter = std::floor(low / 90) * 90 + 90; quarter < high; quarter += 90) {
    int which = static_cast<int>(std::fmod(quarter / 90, 4) + 4) % 4;
    static constexpr double kCos[4] = {1, 0, -1, 0};
    static constexpr double kSin[4] = {0, 1, 0, -1};
    AddToBox(box, Point{arc.centre.x + arc.axisX * kCos[which] + shearX * kSin[which],
                        arc.centre.y + arc.axisY * kSin[which]});
  }
  if (shearX == 0) return;
  // x = centre + axisX cos t + shearX sin t turns back where
  // tan t = shearX / axisX, and half a turn later.
  double turn = std::atan2(shearX, arc.axisX) / kDegree;
  for (double angle : {turn, turn + 180}) {
    if (!Inside(angle, start, arc.sweep)) continue;
    double c = std::cos(angle * kDegree), s = std::sin(angle * kDegree);
    AddToBox(box, Point{arc.centre.x + arc.axisX * c + shearX * s, arc.centre.y + arc.axisY * s});
  }
}

void AddToBox(Box& box, const Box& other) {
  if (other.empty) return;
  AddToBox(box, other.min);
  AddToBox(box, other.max);
}

void AddToBox(Box& box, std::span<const Path> paths) {
  BoundsSink bounds;
  ReplayPaths(paths, bounds);
  AddToBox(box, bounds.Bounds());
}

}  // namespace morlune
