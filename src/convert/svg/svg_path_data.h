// SVG path data to strokes: every command, absolute or relative, with its
// implicit repeats; circular arcs kept as bulges (at most a half circle
// each), elliptical arcs and Bezier curves sampled within a flatness and
// kept beside their samples, so that the grid can fit arcs to them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/stroke_font.h"

namespace morlune::convert {

// Appends the path's strokes. flatness: how far a sampled curve may stray
// from the true one, in the path's units. Returns the problem, naming the
// place in the data, where the data are malformed or too large.
std::optional<std::string> ReadPathData(std::string_view data, double flatness, std::vector<Stroke>& strokes);

}  // namespace morlune::convert
