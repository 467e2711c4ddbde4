// The path data reader: commands and their numbers, relative moves made
// absolute, curves and arcs kept smooth beside their samples.
#include "convert/svg/svg_path_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "convert/svg/decimal_read.h"

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMostSamples = 1024;
// No glyph needs more; more would let a path take the memory.
constexpr std::size_t kMostVertices = 1 << 20;

struct P {
  double x = 0, y = 0;
};

// The letters and blanks of the path grammar, ASCII whatever the locale.
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

class PathReader {
 public:
  PathReader(std::string_view data, double flatness, std::vector<Stroke>& strokes)
      : data_(data), flatness_(flatness > 0 ? flatness : 1e-3), strokes_(strokes) {}

  std::optional<std::string> Read() {
    char command = 0;
    for (;;) {
      SkipSeparators();
      if (at_ >= data_.size()) break;
      char c = data_[at_];
      if (IsLetter(c)) {
        command = c;
        ++at_;
        if (c == 'Z' || c == 'z') {
          Close();
          continue;
        }
      } else if (command == 0 || command == 'Z' || command == 'z') {
        return Problem("a number stands where a command should");
      }
      if (auto problem = Command(command)) return problem;
      // After a move, further pairs are lines.
      if (command == 'M') command = 'L';
      if (command == 'm') command = 'l';
      if (vertices_ > kMostVertices) return Problem("the path holds more than 1048576 points");
    }
    EndStroke();
    return std::nullopt;
  }

 private:
  std::string Problem(const std::string& what) const {
    return what + " at character " + std::to_string(at_ + 1) + " of the path data";
  }

  void SkipSeparators() {
    while (at_ < data_.size() && (IsBlank(data_[at_]) || data_[at_] == ',')) ++at_;
  }

  bool Number(double& value) {
    SkipSeparators();
    if (at_ >= data_.size()) return false;
    std::size_t start = at_;
    if (data_[at_] == '+') ++at_;
    // from_chars takes no '+' and reads "inf" and "nan", which no path holds.
    if (at_ < data_.size() && IsLetter(data_[at_])) {
      at_ = start;
      return false;
    }
    auto [end, error] = ReadDecimal(data_.data() + at_, data_.data() + data_.size(), value);
    if (error != std::errc() || !std::isfinite(value)) {
      at_ = start;
      return false;
    }
    at_ = static_cast<std::size_t>(end - data_.data());
    return true;
  }

  // An arc's flags may stand without separators: "a1 1 0 01 5 5".
  bool Flag(bool& flag) {
    SkipSeparators();
    if (at_ >= data_.size() || (data_[at_] != '0' && data_[at_] != '1')) return false;
    flag = data_[at_++] == '1';
    return true;
  }

  bool Pair(P& p, bool relative) {
    if (!Number(p.x) || !Number(p.y)) return false;
    if (relative) p = {p.x + pen_.x, p.y + pen_.y};
    return true;
  }

  std::optional<std::string> Command(char command) {
    bool relative = IsLower(command);
    char kind = relative ? static_cast<char>(command - 'a' + 'A') : command;
    P a, b, c;
    double value = 0;
    switch (kind) {
      case 'M':
        if (!Pair(a, relative)) return Problem("'M' needs a pair");
        EndStroke();
        start_ = pen_ = a;
        current_.vertices.push_back({a.x, a.y, 0, false});
        break;
      case 'L':
        if (!Pair(a, relative)) return Problem("'L' needs a pair");
        LineTo(a);
        break;
      case 'H':
        if (!Number(value)) return Problem("'H' needs a number");
        LineTo({relative ? pen_.x + value : value, pen_.y});
        break;
      case 'V':
        if (!Number(value)) return Problem("'V' needs a number");
        LineTo({pen_.x, relative ? pen_.y + value : value});
        break;
      case 'C':
        if (!Pair(a, relative) || !Pair(b, relative) || !Pair(c, relative)) return Problem("'C' needs three pairs");
        Cubic(a, b, c);
        break;
      case 'S':
        if (!Pair(b, relative) || !Pair(c, relative)) return Problem("'S' needs two pairs");
        Cubic(lastCubic_ ? P{2 * pen_.x - control_.x, 2 * pen_.y - control_.y} : pen_, b, c);
        break;
      case 'Q':
        if (!Pair(a, relative) || !Pair(b, relative)) return Problem("'Q' needs two pairs");
        Quadratic(a, b);
        break;
      case 'T':
        if (!Pair(b, relative)) return Problem("'T' needs a pair");
        Quadratic(lastQuadratic_ ? P{2 * pen_.x - control_.x, 2 * pen_.y - control_.y} : pen_, b);
        break;
      case 'A': {
        double rx = 0, ry = 0, rotation = 0;
        bool large = false, sweep = false;
        if (!Number(rx) || !Number(ry) || !Number(rotation) || !Flag(large) || !Flag(sweep) || !Pair(a, relative)) {
          return Problem("'A' needs radii, a rotation, two flags and a pair");
        }
        Arc(std::fabs(rx), std::fabs(ry), rotation, large, sweep, a);
        break;
      }
      default:
        return Problem(std::string("'") + command + "' is no path command");
    }
    if (kind != 'C' && kind != 'S') lastCubic_ = false;
    if (kind != 'Q' && kind != 'T') lastQuadratic_ = false;
    return std::nullopt;
  }

  void Begin() {
    if (current_.vertices.empty()) current_.vertices.push_back({pen_.x, pen_.y, 0, false});
  }

  void Add(P p, double bulge, bool sampled) {
    Begin();
    current_.vertices.push_back({p.x, p.y, bulge, sampled});
    ++vertices_;
    pen_ = p;
  }

  void LineTo(P p) { Add(p, 0, false); }

  // A closed path of a lone move is a dot: drawn as a line of no length,
  // as a renderer strokes it with its caps.
  void Close() {
    bool dot = current_.vertices.size() == 1;
    if (dot || (current_.vertices.size() >= 2 && (pen_.x != start_.x || pen_.y != start_.y))) LineTo(start_);
    pen_ = start_;
    EndStroke();
    lastCubic_ = lastQuadratic_ = false;
  }

  // The stroke stored at its size, its vertices' room kept for the next:
  // one allocation a stroke.
  void EndStroke() {
    if (current_.vertices.size() >= 2) {
      Stroke& stroke = strokes_.emplace_back();
      stroke.vertices.assign(current_.vertices.begin(), current_.vertices.end());
      stroke.curves = std::move(current_.curves);
    }
    current_.vertices.clear();
    current_.curves.clear();
  }

  // Pieces enough that the chords stray at most the flatness: a curve
  // whose second derivative is at most m strays m / (8 n^2) with n pieces.
  int Samples(double secondDerivative) const { return Count(std::sqrt(secondDerivative / (8 * flatness_))); }

  // A count of pieces from 1 to the most, whatever the arithmetic gave:
  // points far out enough overflow to infinities and their differences to
  // NaN, and the font's measure refuses them later.
  static int Count(double wanted) {
    if (!(wanted > 1)) return 1;
    return wanted >= kMostSamples ? kMostSamples : static_cast<int>(std::ceil(wanted));
  }

  // The curve's samples, with the curve itself beside them for the grid.
  void Sampled(const SmoothCurve& curve, int n) {
    Begin();
    std::size_t first = current_.vertices.size() - 1;
    for (int k = 1; k <= n; ++k) {
      Point p = curve.At(static_cast<double>(k) / n);
      Add({p.x, p.y}, 0, true);
    }
    current_.curves.push_back({first, current_.vertices.size() - 1, curve});
  }

  void Cubic(P c1, P c2, P end) {
    SmoothCurve curve = SmoothCurve::Cubic({pen_.x, pen_.y}, {c1.x, c1.y}, {c2.x, c2.y}, {end.x, end.y});
    Sampled(curve, Samples(curve.Bend()));
    control_ = c2;
    lastCubic_ = true;
  }

  void Quadratic(P c, P end) {
    SmoothCurve curve = SmoothCurve::Quadratic({pen_.x, pen_.y}, {c.x, c.y}, {end.x, end.y});
    Sampled(curve, Samples(curve.Bend()));
    control_ = c;
    lastQuadratic_ = true;
  }

  // The endpoint form of an arc to its centre form, then bulges where it
  // is a circle and samples where it is an ellipse.
  void Arc(double rx, double ry, double rotation, bool large, bool sweep, P end) {
    P p0 = pen_;
    if (p0.x == end.x && p0.y == end.y) return;
    if (rx == 0 || ry == 0) {
      LineTo(end);
      return;
    }
    double phi = rotation * kPi / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    double hx = (p0.x - end.x) / 2, hy = (p0.y - end.y) / 2;
    double x1 = cosPhi * hx + sinPhi * hy, y1 = -sinPhi * hx + cosPhi * hy;
    double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
      rx *= std::sqrt(lambda);
      ry *= std::sqrt(lambda);
    }
    double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double factor = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep) factor = -factor;
    double cx1 = factor * rx * y1 / ry, cy1 = -factor * ry * x1 / rx;
    auto angle = [](double ux, double uy, double vx, double vy) {
      return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    double theta = angle(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    double delta = angle((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry);
    if (!sweep && delta > 0) delta -= 2 * kPi;
    if (sweep && delta < 0) delta += 2 * kPi;
    P centre{cosPhi * cx1 - sinPhi * cy1 + (p0.x + end.x) / 2, sinPhi * cx1 + cosPhi * cy1 + (p0.y + end.y) / 2};
    auto at = [&](double t) {
      double a = theta + t * delta;
      return P{centre.x + rx * std::cos(a) * cosPhi - ry * std::sin(a) * sinPhi,
               centre.y + rx * std::cos(a) * sinPhi + ry * std::sin(a) * cosPhi};
    };
    if (std::fabs(rx - ry) <= 1e-9 * std::max(rx, ry)) {
      // A circle: pieces of at most a half turn, each its bulge.
      int pieces = Count(std::fabs(delta) / kPi - 1e-9);
      double bulge = std::tan(delta / pieces / 4);
      for (int k = 1; k <= pieces; ++k) Add(k == pieces ? end : at(static_cast<double>(k) / pieces), bulge, false);
      return;
    }
    double radius = std::max(rx, ry);
    double step = radius > flatness_ ? 2 * std::acos(1 - flatness_ / radius) : kPi;
    int n = Count(std::fabs(delta) / step);
    Sampled(SmoothCurve::Ellipse({p0.x, p0.y}, {end.x, end.y}, {centre.x, centre.y}, rx, ry, phi, theta, delta), n);
  }

  std::string_view data_;
  double flatness_;
  std::vector<Stroke>& strokes_;
  std::size_t at_ = 0;
  std::size_t vertices_ = 0;
  P pen_, start_, control_;
  bool lastCubic_ = false, lastQuadratic_ = false;
  Stroke current_;
};

}  // namespace

std::optional<std::string> ReadPathData(std::string_view data, double flatness, std::vector<Stroke>& strokes) {
  return PathReader(data, flatness, strokes).Read();
}

}  // namespace morlune::convert
