// An arc piece read as the elliptical arc of path data: radii, the turn of
// the first axis and the two flags, worked out by hand. (The listing and the
// pictures write the flags of this one reading: NumberWriters' test.)
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "drawing/arc_ellipse.h"

namespace morlune::testing {
namespace {

TEST(ArcEllipse, RadiiTurnAndFlags) {
  const double root5 = std::sqrt(5.0);
  const struct {
    const char* what;
    ArcSegment arc;
    ArcEllipse expected;
  } cases[] = {
      {"a half circle", {{}, {}, {}, 3, 3, 180, 0}, {3, 3, 0, false, true}},
      {"clockwise, more than half", {{}, {}, {}, 2, 1, -270, 0}, {2, 1, 0, true, false}},
      {"a frame mirroring x", {{}, {}, {}, -3, 3, 90, 0}, {3, 3, 0, false, false}},
      {"mirrored on both axes", {{}, {}, {}, -3, -2, 90, 0}, {3, 2, 0, false, true}},
      // An axis of size 0 keeps the sign of its frame (a zero of either sign), which is what decides.
      {"0 and a mirrored y", {{}, {}, {}, 0.0, -2, 90, 0}, {0, 2, 0, false, false}},
      {"-0 mirrors x", {{}, {}, {}, -0.0, 2, 90, 0}, {0, 2, 0, false, false}},
      {"-0 and a mirrored y", {{}, {}, {}, -0.0, -2, 90, 0}, {0, 2, 0, false, true}},
      {"a mirrored x and 0, more than half", {{}, {}, {}, -2, 0.0, 270, 0}, {2, 0, 0, true, false}},
      {"both 0, clockwise", {{}, {}, {}, 0.0, 0.0, -90, 0}, {0, 0, 0, false, false}},
      // [[2, 1], [0, 1]]: M M^T = [[5, 1], [1, 1]], eigenvalues 3 +- root 5,
      // the larger one's axis along (1, root 5 - 2).
      {"sheared by 1", {{}, {}, {}, 2, 1, 180, 1},
       {std::sqrt(3 + root5), std::sqrt(3 - root5), std::atan(root5 - 2) * 180 / std::numbers::pi, false, true}},
      // The same ellipse ([[-2, 1], [0, 1]] has the same M M^T), run the
      // other way.
      {"sheared and mirrored", {{}, {}, {}, -2, 1, 180, 1},
       {std::sqrt(3 + root5), std::sqrt(3 - root5), std::atan(root5 - 2) * 180 / std::numbers::pi, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ArcEllipse got = EllipseOf(c.arc);
    EXPECT_NEAR(got.radiusX, c.expected.radiusX, 1e-12);
    EXPECT_NEAR(got.radiusY, c.expected.radiusY, 1e-12);
    EXPECT_NEAR(got.rotation, c.expected.rotation, 1e-9);
    EXPECT_EQ(got.large, c.expected.large);
    EXPECT_EQ(got.counterclockwise, c.expected.counterclockwise);
  }
}

}  // namespace
}  // namespace morlune::testing
