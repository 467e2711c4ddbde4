// A glyph's pen movements as the shortest items that draw them exactly:
// vector bytes where a move lies along one of the sixteen directions,
// displacements otherwise (a list once three follow one another), bulge
// arcs (a list once four follow one another).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "source/source_writer.h"

namespace morlune::convert {

// A dot reaches 1 / kDotDivisor of a unit from its point.
inline constexpr int kDotDivisor = 128;

class ShapeItems {
 public:
  // Room for this many pen moves and changes, so that a glyph's items
  // grow without moving.
  void Reserve(std::size_t count) { ops_.reserve(count); }
  void PenUp();
  void PenDown();
  // A move by whole units, drawing where the pen is down; any length, split
  // where a byte cannot hold it into parts along the same line. Returns how
  // far the stops between the parts stray from that line: 0 but where even
  // the line's smallest whole step is too long for a byte. (0, 0) adds
  // nothing.
  double Move(int dx, int dy);
  // An arc to (dx, dy) from here, each within -127 to 127 and not both 0;
  // q the bulge as the item stores it (-127 to 127, 0 a straight line).
  void Arc(int dx, int dy, int q);
  // A mark where the pen stands, for a stroke of no length, which a move
  // of none would not draw: the scale divided by kDotDivisor, a unit drawn
  // there and back, the scale multiplied again (a power of two, so that
  // the pen and the scale come back exactly). Leftward, the unit goes left
  // and back, so that the dot reaches no farther right than its point.
  void Dot(bool leftward = false);

  // The record's items as bytes (operands two's complement), ended by 0.
  std::vector<unsigned char> Bytes() const;
  // Their number, without them.
  std::size_t ByteCount() const;
  // The same items as source text, through the writer of source text:
  // codes and vector bytes as the decompiler writes them, operands in
  // decimal, pairs and entries in parentheses; each number a piece of its
  // own, so that a line breaks between any two numbers. The line ends
  // after the closing 0.
  void WriteText(SourceWriter& writer) const;

 private:
  struct Op {
    enum Kind { kPenUp, kPenDown, kMove, kArc, kDot } kind;
    int dx = 0, dy = 0, q = 0;
  };
  // Where the packed items go, one by one: each item's code, then its
  // operands a pair or an entry at a time.
  class ItemSink {
   public:
    virtual ~ItemSink() = default;
    // A code, or a vector byte.
    virtual void Item(int code) = 0;
    // An operand of its own: the factor of code 3 or 4.
    virtual void Factor(int factor) = 0;
    // Signed operands in parentheses.
    virtual void Group(std::initializer_list<int> numbers) = 0;
  };
  void Pack(ItemSink& sink) const;

  std::vector<Op> ops_;
};

// The vector bytes that make exactly the move, or none where it lies along
// no direction or would take more than `most` bytes.
std::vector<unsigned char> VectorBytes(int dx, int dy, int most);

}  // namespace morlune::convert
