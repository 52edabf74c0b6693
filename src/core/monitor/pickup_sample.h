#pragma once
// One pick-up sample as the unit streams it: a 32-bit little-endian word with a
// 24-bit free-running time stamp (0.4 us a count) and a state byte.
#include <cstddef>
#include <cstdint>

namespace ign {

namespace PickupSample {
constexpr uint32_t kStampWrap = 0x1000000;  // the stamp counts modulo this
constexpr uint32_t kStampMask = kStampWrap - 1;
constexpr double kSecondsPerCount = 4e-7;
constexpr double kMsPerCount = kSecondsPerCount * 1000.0;

// State byte bits.
constexpr int kCounterMask = 0x03;  // reference counter, modulo 4, one step per cycle
constexpr int kPickup1 = 0x04;      // level of pick-up 1
constexpr int kPickup2 = 0x08;      // level of pick-up 2
constexpr int kIgnitionShift = 4;   // bits 4..7: ignition on channels 1..4
constexpr int kChannels = 4;

constexpr uint32_t Stamp(uint32_t sample) { return sample & kStampMask; }
constexpr int State(uint32_t sample) { return static_cast<int>(sample >> 24); }
constexpr int Counter(int state) { return state & kCounterMask; }
constexpr bool IsIgnition(int state) { return state > 15 && state < 256; }
// Channel 1..4 fired in this state.
constexpr bool Fired(int state, int channel) { return ((state >> (kIgnitionShift + channel - 1)) & 1) != 0; }

constexpr uint32_t Make(uint32_t stamp, int state) {
  return (stamp & kStampMask) | (static_cast<uint32_t>(state & 0xFF) << 24);
}

// Reads the sample at byte offset `at` of a stream.
inline uint32_t Read(const uint8_t* bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}
}  // namespace PickupSample

// Extends the wrapping stamps and the modulo-4 counter of consecutive samples
// into running values: a stamp below the one before means one wrap, a counter
// below the one before means it went past 3.
class CSampleExtender {
 public:
  struct Step {
    int64_t time;     // extended stamp
    int64_t counter;  // extended reference counter
    bool boundary;    // the counter changed with this sample (never on the first)
  };

  Step Next(uint32_t sample) {
    const int64_t stamp = PickupSample::Stamp(sample);
    const int counter = PickupSample::Counter(PickupSample::State(sample));
    if (!started_) {
      started_ = true;
      time_ = stamp;
      counter_ = counter;
      lastStamp_ = stamp;
      lastCounter_ = counter;
      return {time_, counter_, false};
    }
    time_ += stamp >= lastStamp_ ? stamp - lastStamp_ : stamp + PickupSample::kStampWrap - lastStamp_;
    const bool boundary = counter != lastCounter_;
    counter_ += counter >= lastCounter_ ? counter - lastCounter_ : counter + 4 - lastCounter_;
    lastStamp_ = stamp;
    lastCounter_ = counter;
    return {time_, counter_, boundary};
  }

 private:
  bool started_ = false;
  int64_t time_ = 0, counter_ = 0, lastStamp_ = 0;
  int lastCounter_ = 0;
};

}  // namespace ign
