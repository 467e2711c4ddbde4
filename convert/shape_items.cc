#include "convert/shape_items.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace morlune::convert {
namespace {

// The unit steps of the sixteen directions, in half units.
constexpr int kHalfSteps[16][2] = {{2, 0},  {2, 1},   {2, 2},   {1, 2},  {0, 2},  {-1, 2}, {-2, 2}, {-2, 1},
                                   {-2, 0}, {-2, -1}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {2, -1}};
constexpr int kLongestVector = 15;
constexpr int kLargestOperand = 127;
// A displacement list costs 2 bytes a pair and 3 more; code 8 costs 3 a
// move: the list is no longer from 3 pairs. A bulge list costs 3 an entry
// and 3 more against 4 each: shorter from 4.
constexpr std::size_t kShortestMoveList = 3;
constexpr std::size_t kShortestArcList = 4;
constexpr int kWrapColumn = 65;

}  // namespace

std::vector<unsigned char> VectorBytes(int dx, int dy, int most) {
  if (dx == 0 && dy == 0) return {};
  for (int d = 0; d < 16; ++d) {
    int sx = kHalfSteps[d][0], sy = kHalfSteps[d][1];
    int length = sx != 0 ? 2 * dx / sx : 2 * dy / sy;
    if (length < 1 || length * sx != 2 * dx || length * sy != 2 * dy) continue;
    int count = (length + kLongestVector - 1) / kLongestVector;
    if (count > most) return {};
    std::vector<unsigned char> bytes;
    // Equal shares keep every stop on the way a whole or half unit.
    for (int k = 0; k < count; ++k) {
      int share = length * (k + 1) / count - length * k / count;
      bytes.push_back(static_cast<unsigned char>(share << 4 | d));
    }
    return bytes;
  }
  return {};
}

void ShapeItems::PenUp() { ops_.push_back({Op::kPenUp}); }
void ShapeItems::PenDown() { ops_.push_back({Op::kPenDown}); }

void ShapeItems::Move(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  // Parts of at most 127 each way, in equal shares along the same line.
  int parts = std::max((std::abs(dx) + kLargestOperand - 1) / kLargestOperand,
                       (std::abs(dy) + kLargestOperand - 1) / kLargestOperand);
  for (int k = 0; k < parts; ++k) {
    long long x0 = static_cast<long long>(dx) * k / parts, x1 = static_cast<long long>(dx) * (k + 1) / parts;
    long long y0 = static_cast<long long>(dy) * k / parts, y1 = static_cast<long long>(dy) * (k + 1) / parts;
    ops_.push_back({Op::kMove, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0), 0});
  }
}

void ShapeItems::Arc(int dx, int dy, int q) { ops_.push_back({Op::kArc, dx, dy, q}); }

std::vector<ShapeItems::Item> ShapeItems::Pack() const {
  std::vector<Item> items;
  auto single = [&](int number) {
    items.push_back({{number}, {false}, {}, {}});
  };
  for (std::size_t at = 0; at < ops_.size();) {
    const Op& op = ops_[at];
    if (op.kind == Op::kPenUp || op.kind == Op::kPenDown) {
      single(op.kind == Op::kPenUp ? 2 : 1);
      ++at;
      continue;
    }
    if (op.kind == Op::kMove) {
      std::vector<unsigned char> vectors = VectorBytes(op.dx, op.dy, 2);
      if (!vectors.empty()) {
        for (unsigned char v : vectors) items.push_back({{v}, {true}, {}, {}});
        ++at;
        continue;
      }
      // A run of moves that no short vector makes.
      std::size_t end = at;
      while (end < ops_.size() && ops_[end].kind == Op::kMove && VectorBytes(ops_[end].dx, ops_[end].dy, 2).empty()) {
        ++end;
      }
      if (end - at >= kShortestMoveList) {
        Item list{{9}, {false}, {}, {}};
        for (std::size_t k = at; k < end; ++k) {
          list.groups.push_back(static_cast<int>(list.numbers.size()));
          list.groupSizes.push_back(2);
          list.numbers.insert(list.numbers.end(), {ops_[k].dx, ops_[k].dy});
          list.hex.insert(list.hex.end(), {false, false});
        }
        list.groups.push_back(static_cast<int>(list.numbers.size()));
        list.groupSizes.push_back(2);
        list.numbers.insert(list.numbers.end(), {0, 0});
        list.hex.insert(list.hex.end(), {false, false});
        items.push_back(std::move(list));
      } else {
        for (std::size_t k = at; k < end; ++k) {
          items.push_back({{8, ops_[k].dx, ops_[k].dy}, {false, false, false}, {1}, {2}});
        }
      }
      at = end;
      continue;
    }
    std::size_t end = at;
    while (end < ops_.size() && ops_[end].kind == Op::kArc) ++end;
    if (end - at >= kShortestArcList) {
      Item list{{13}, {false}, {}, {}};
      for (std::size_t k = at; k < end; ++k) {
        list.groups.push_back(static_cast<int>(list.numbers.size()));
        list.groupSizes.push_back(3);
        list.numbers.insert(list.numbers.end(), {ops_[k].dx, ops_[k].dy, ops_[k].q});
        list.hex.insert(list.hex.end(), {false, false, false});
      }
      list.groups.push_back(static_cast<int>(list.numbers.size()));
      list.groupSizes.push_back(2);
      list.numbers.insert(list.numbers.end(), {0, 0});
      list.hex.insert(list.hex.end(), {false, false});
      items.push_back(std::move(list));
    } else {
      for (std::size_t k = at; k < end; ++k) {
        items.push_back({{12, ops_[k].dx, ops_[k].dy, ops_[k].q}, {false, false, false, false}, {1}, {3}});
      }
    }
    at = end;
  }
  single(0);
  return items;
}

std::vector<unsigned char> ShapeItems::Bytes() const {
  std::vector<unsigned char> bytes;
  for (const Item& item : Pack()) {
    for (int number : item.numbers) bytes.push_back(static_cast<unsigned char>(number & 0xFF));
  }
  return bytes;
}

std::string ShapeItems::Text() const {
  // Each number a token, with the parentheses of its pair or entry.
  std::vector<std::string> tokens;
  for (const Item& item : Pack()) {
    std::size_t group = 0;
    for (std::size_t k = 0; k < item.numbers.size(); ++k) {
      std::string token;
      if (group < item.groups.size() && static_cast<std::size_t>(item.groups[group]) == k) token += '(';
      char number[16];
      if (item.hex[k]) {
        std::snprintf(number, sizeof number, "0%02X", static_cast<unsigned>(item.numbers[k]));
      } else {
        std::snprintf(number, sizeof number, "%d", item.numbers[k]);
      }
      token += number;
      if (group < item.groups.size() &&
          k + 1 == static_cast<std::size_t>(item.groups[group] + item.groupSizes[group])) {
        token += ')';
        ++group;
      }
      tokens.push_back(std::move(token));
    }
  }
  std::string text;
  std::size_t lineStart = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (k > 0) {
      text += ',';
      if (text.size() - lineStart + tokens[k].size() + 1 > static_cast<std::size_t>(kWrapColumn)) {
        text += '\n';
        lineStart = text.size();
      }
    }
    text += tokens[k];
  }
  return text;
}

}  // namespace morlune::convert
