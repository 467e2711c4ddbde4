// Geometry as text for the tests' expectations: points, and paths written
// segment by segment, each checked to go on from where the last ended; and
// the fonts those tests open from bytes.
#pragma once

#include <gtest/gtest.h>

#include <morlune/font.h>
#include <morlune/geometry.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace morlune::testing {

inline std::span<const Byte> BytesOf(const std::string& text) {
  return {reinterpret_cast<const Byte*>(text.data()), text.size()};
}

inline Font OpenOrFail(const std::string& bytes) {
  Result<Font> font = Font::FromBytes(BytesOf(bytes));
  if (!font) ADD_FAILURE() << font.error().message;
  return std::move(font).value();
}

inline std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Built by appending: g++ 12 at -O3 misreads "(" + std::string&& as an
// overlapping copy (-Wrestrict).
inline std::string PointText(Point p) {
  std::string text = "(";
  text += Number(p.x);
  text += ',';
  text += Number(p.y);
  text += ')';
  return text;
}

// "from (x,y): line (x,y); arc (x,y) centre (x,y) axes (x,y) sweep S [shear K]; ..."
// per path, one line each.
inline std::string PathsText(const std::vector<Path>& paths) {
  std::string text;
  for (const Path& path : paths) {
    text += "from " + PointText(path.start) + ":";
    Point at = path.start;
    for (const Segment& segment : path.segments) {
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        EXPECT_TRUE(line->from.x == at.x && line->from.y == at.y) << "a line that does not go on from the last end";
        text += " line " + PointText(line->to) + ";";
        at = line->to;
      } else {
        const auto& arc = std::get<ArcSegment>(segment);
        EXPECT_TRUE(arc.from.x == at.x && arc.from.y == at.y) << "an arc that does not go on from the last end";
        text += " arc " + PointText(arc.to) + " centre " + PointText(arc.centre) + " axes " +
                PointText({arc.axisX, arc.axisY}) + " sweep " + Number(arc.sweep) +
                (arc.shear != 0 ? " shear " + Number(arc.shear) : "") + ";";
        at = arc.to;
      }
    }
    text += "\n";
  }
  return text;
}

}  // namespace morlune::testing
