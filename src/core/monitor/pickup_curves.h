#pragma once
// The curve list the pick-up window draws: positions in crank degrees
// (synchronised mode) or milliseconds (time mode), each with its state byte,
// plus what the title line and the horizontal scale need.
#include <array>
#include <cstddef>
#include <cstdint>

namespace ign {

enum class PickupMode { Time = 0, Synchronised = 1 };

struct CurveEntry {
  double position = 0;
  int32_t state = 0;  // the sample's state byte, or one of the end marks
};

namespace CurveMark {
constexpr int32_t kCycleStart = 256;  // end entry at position 0
constexpr int32_t kCycleEnd = 512;    // end entry at the cycle length
constexpr bool IsEnd(int32_t state) { return state >= kCycleStart; }
}  // namespace CurveMark

// At most kCapacity entries; appending to a full list is refused.
class CCurveList {
 public:
  static constexpr size_t kCapacity = 600;

  bool Append(double position, int32_t state);
  void Clear() { count_ = 0; }
  size_t Size() const { return count_; }
  bool Empty() const { return count_ == 0; }
  bool Full() const { return count_ == kCapacity; }
  const CurveEntry& operator[](size_t i) const { return entries_[i]; }
  const CurveEntry* begin() const { return entries_.data(); }
  const CurveEntry* end() const { return entries_.data() + count_; }

 private:
  std::array<CurveEntry, kCapacity> entries_{};
  size_t count_ = 0;
};

struct PickupCurves {
  double engineSpeed = 0;  // rpm in the title line
  double secondValue = 0;
  double minimum = 0;  // horizontal range
  double maximum = 0;
  int32_t cycleLength = 360;  // degrees
  CCurveList list;
  bool newData = false;
};

// Cycle length in degrees for the stream's further byte.
int32_t CycleLength(uint8_t further);

}  // namespace ign
