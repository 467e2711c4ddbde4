// What an export could not carry into its format: one tally per kind of
// loss, with the largest amount each kind moved something by.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <morlune/convert.h>

namespace morlune::convert {

// The library's own list of the kinds, with their count.
using LossKind = morlune::LossKind;
inline constexpr std::size_t kLossKindCount = static_cast<std::size_t>(LossKind::kRecordsUnreached) + 1;

class LossReport {
 public:
  // One more loss of the kind; amount in the source font's units. A kind
  // told with an amount is no loss where the amount is at most the noise
  // floor: the format's numbers cannot show so small a difference.
  void Add(LossKind kind, double amount = 0, long long count = 1);
  // The least difference the output format's numbers can show, in the
  // source font's units (0, the default, counts every difference).
  void SetNoiseFloor(double amount) { noiseFloor_ = amount; }
  double NoiseFloor() const { return noiseFloor_; }
  bool Empty() const;
  long long Count(LossKind kind) const { return tallies_[static_cast<std::size_t>(kind)].count; }
  double Largest(LossKind kind) const { return tallies_[static_cast<std::size_t>(kind)].largest; }
  // One line per kind met, in the order of the kinds, without a line end:
  // "arcs flattened: 3 (at most 0.0125 font units off)".
  std::vector<std::string> Lines() const;

 private:
  struct Tally {
    long long count = 0;
    double largest = 0;
  };
  std::array<Tally, kLossKindCount> tallies_{};
  double noiseFloor_ = 0;
};

// A length for the report: up to 4 significant decimals, no trailing zeros.
std::string AmountText(double amount);

}  // namespace morlune::convert
