// Pen movements packed into the shortest items, then handed out as
// bytes, as a count or as source text.
#include "convert/import/shape_items.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "grammar/item_grammar.h"
#include "platform/short_text.h"
#include "source/operand_text.h"

namespace morlune::convert {
namespace {

// Each step's direction, by its half units plus 2 (-1 for no direction).
constexpr auto kDirectionOfStep = [] {
  std::array<std::array<int, 5>, 5> direction{};
  for (auto& row : direction) row.fill(-1);
  for (int d = 0; d < 16; ++d) direction[kVectorHalfSteps[d][0] + 2][kVectorHalfSteps[d][1] + 2] = d;
  return direction;
}();
constexpr int kLargestOperand = 127;
// A displacement list costs 2 bytes a pair and 3 more; code 8 costs 3 a
// move: the list is no longer from 3 pairs. A bulge list costs 3 an entry
// and 3 more against 4 each: shorter from 4.
constexpr std::size_t kShortestMoveList = 3;
constexpr std::size_t kShortestArcList = 4;
// A dot's vector bytes: one unit east, one west.
constexpr int kDotThere = 1 << 4 | 0;
constexpr int kDotBack = 1 << 4 | 8;

// The vector bytes that make exactly the move into out, which has room for
// `most`; their count, 0 where none does.
int VectorRun(int dx, int dy, int most, unsigned char* out) {
  if (dx == 0 && dy == 0) return 0;
  // The one direction whose ray the move lies on, if any: along an axis,
  // a diagonal, or one of the half steps (one side twice the other). Its
  // length counts its unit steps.
  int ax = std::abs(dx), ay = std::abs(dy);
  int length = std::max(ax, ay);
  int sx, sy;  // the direction's step in half units
  if (ay == 0 || ax == 0 || ax == ay) {
    sx = dx > 0 ? 2 : dx < 0 ? -2 : 0;
    sy = dy > 0 ? 2 : dy < 0 ? -2 : 0;
  } else if (ax == 2 * ay) {
    sx = dx > 0 ? 2 : -2;
    sy = dy > 0 ? 1 : -1;
  } else if (ay == 2 * ax) {
    sx = dx > 0 ? 1 : -1;
    sy = dy > 0 ? 2 : -2;
  } else {
    return 0;
  }
  int d = kDirectionOfStep[sx + 2][sy + 2];
  int count = (length + kLongestVector - 1) / kLongestVector;
  if (count > most) return 0;
  // Equal shares keep every stop on the way a whole or half unit.
  for (int k = 0; k < count; ++k) {
    int share = length * (k + 1) / count - length * k / count;
    out[k] = static_cast<unsigned char>(share << 4 | d);
  }
  return count;
}

// A move's vector bytes in an item list: at most two.
constexpr int kMostVectorBytes = 2;

}  // namespace

std::vector<unsigned char> VectorBytes(int dx, int dy, int most) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(std::max(most, 0)));
  bytes.resize(static_cast<std::size_t>(VectorRun(dx, dy, most, bytes.data())));
  return bytes;
}

void ShapeItems::PenUp() { ops_.push_back({Op::kPenUp}); }
void ShapeItems::PenDown() { ops_.push_back({Op::kPenDown}); }

double ShapeItems::Move(int dx, int dy) {
  if (dx == 0 && dy == 0) return 0;
  // Within a byte each way: one part, whatever the step.
  if (std::abs(dx) <= kLargestOperand && std::abs(dy) <= kLargestOperand) {
    ops_.push_back({Op::kMove, dx, dy, 0});
    return 0;
  }
  // Whole multiples of the line's smallest whole step keep every stop on
  // the line; each part at most 127 each way.
  int whole = std::gcd(std::abs(dx), std::abs(dy));
  int stepX = dx / whole, stepY = dy / whole;
  int longest = std::max(std::abs(stepX), std::abs(stepY));
  long long parts, units;  // units: the number of steps shared out
  if (longest <= kLargestOperand) {
    int perPart = kLargestOperand / longest;
    parts = (whole + perPart - 1) / perPart;
    units = whole;
  } else {
    // No whole step fits: stops rounded to the nearest unit, off the line.
    parts = (longest * static_cast<long long>(whole) + kLargestOperand - 1) / kLargestOperand;
    units = 0;
  }
  double stray = 0;
  long long atX = 0, atY = 0;
  for (long long k = 1; k <= parts; ++k) {
    long long x, y;
    if (units > 0) {
      long long steps = units * k / parts;
      x = steps * stepX, y = steps * stepY;
    } else {
      x = std::llround(static_cast<double>(dx) * k / parts), y = std::llround(static_cast<double>(dy) * k / parts);
      double along = (static_cast<double>(x) * dx + static_cast<double>(y) * dy) / (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
      stray = std::max(stray, std::hypot(x - along * dx, y - along * dy));
    }
    ops_.push_back({Op::kMove, static_cast<int>(x - atX), static_cast<int>(y - atY), 0});
    atX = x, atY = y;
  }
  return stray;
}

void ShapeItems::Arc(int dx, int dy, int q) { ops_.push_back({Op::kArc, dx, dy, q}); }

void ShapeItems::Dot(bool leftward) { ops_.push_back({Op::kDot, 0, 0, leftward ? 1 : 0}); }

void ShapeItems::Pack(ItemSink& sink) const {
  unsigned char vectors[kMostVectorBytes];
  auto noVector = [&](const Op& op) { return VectorRun(op.dx, op.dy, kMostVectorBytes, vectors) == 0; };
  // A list item: its entries, then the closing pair.
  auto list = [&](int code, std::size_t from, std::size_t to, bool withBulge) {
    sink.Item(code);
    for (std::size_t k = from; k < to; ++k) {
      const Op& op = ops_[k];
      if (withBulge) {
        sink.Group({op.dx, op.dy, op.q});
      } else {
        sink.Group({op.dx, op.dy});
      }
    }
    sink.Group({0, 0});
  };
  for (std::size_t at = 0; at < ops_.size();) {
    const Op& op = ops_[at];
    if (op.kind == Op::kPenUp || op.kind == Op::kPenDown) {
      sink.Item(op.kind == Op::kPenUp ? kCodePenUp : kCodePenDown);
      ++at;
      continue;
    }
    if (op.kind == Op::kDot) {
      sink.Item(kCodeDivideScale);
      sink.Factor(kDotDivisor);
      // q marks a leftward dot.
      sink.Item(op.q != 0 ? kDotBack : kDotThere);
      sink.Item(op.q != 0 ? kDotThere : kDotBack);
      sink.Item(kCodeMultiplyScale);
      sink.Factor(kDotDivisor);
      ++at;
      continue;
    }
    if (op.kind == Op::kMove) {
      int count = VectorRun(op.dx, op.dy, kMostVectorBytes, vectors);
      if (count > 0) {
        for (int k = 0; k < count; ++k) sink.Item(vectors[k]);
        ++at;
        continue;
      }
      // A run of moves that no short vector makes.
      std::size_t end = at;
      while (end < ops_.size() && ops_[end].kind == Op::kMove && noVector(ops_[end])) ++end;
      if (end - at >= kShortestMoveList) {
        list(kCodeDisplacementList, at, end, false);
      } else {
        for (std::size_t k = at; k < end; ++k) {
          sink.Item(kCodeDisplacement);
          sink.Group({ops_[k].dx, ops_[k].dy});
        }
      }
      at = end;
      continue;
    }
    std::size_t end = at;
    while (end < ops_.size() && ops_[end].kind == Op::kArc) ++end;
    if (end - at >= kShortestArcList) {
      list(kCodeBulgeArcList, at, end, true);
    } else {
      for (std::size_t k = at; k < end; ++k) {
        sink.Item(kCodeBulgeArc);
        sink.Group({ops_[k].dx, ops_[k].dy, ops_[k].q});
      }
    }
    at = end;
  }
  sink.Item(kCodeEnd);
}

std::vector<unsigned char> ShapeItems::Bytes() const {
  class ToBytes : public ItemSink {
   public:
    void Item(int code) override { bytes.push_back(static_cast<unsigned char>(code)); }
    void Factor(int factor) override { bytes.push_back(static_cast<unsigned char>(factor)); }
    void Group(std::initializer_list<int> numbers) override {
      for (int number : numbers) bytes.push_back(static_cast<unsigned char>(number & 0xFF));
    }
    std::vector<unsigned char> bytes;
  } sink;
  Pack(sink);
  return std::move(sink.bytes);
}

std::size_t ShapeItems::ByteCount() const {
  class Counter : public ItemSink {
   public:
    void Item(int) override { ++count; }
    void Factor(int) override { ++count; }
    void Group(std::initializer_list<int> numbers) override { count += numbers.size(); }
    std::size_t count = 0;
  } sink;
  Pack(sink);
  return sink.count;
}

void ShapeItems::WriteText(SourceWriter& writer) const {
  // Each number a piece with the comma after it; the closing 0 ends the
  // line instead.
  class ToText : public ItemSink {
   public:
    explicit ToText(SourceWriter& writer) : writer_(writer) {}
    void Item(int code) override {
      if (code == kCodeEnd) {
        EmitWrapped(writer_, "0\n");
        return;
      }
      Piece(OperandKind::kItemCode, code, false, false);
    }
    void Factor(int factor) override { Piece(OperandKind::kUnsigned, factor, false, false); }
    void Group(std::initializer_list<int> numbers) override {
      std::size_t k = 0;
      for (int number : numbers) {
        ++k;
        Piece(OperandKind::kSigned, number & 0xFF, k == 1, k == numbers.size());
      }
    }

   private:
    void Piece(OperandKind kind, int stored, bool opens, bool closes) {
      InPlacePiece piece = BeginPiece(writer_, kMaxItemPiece);
      if (opens) piece.text.Char('(');
      AppendOperandText(piece.text, kind, stored, false);
      if (closes) piece.text.Char(')');
      piece.text.Char(',');
      EndItemPiece(writer_, piece);
    }

    SourceWriter& writer_;
  } sink(writer);
  Pack(sink);
}

}  // namespace morlune::convert
