#pragma once
// Lobe bytes of PICKUP1_LOBES / PICKUP2_LOBES.
// Normal encoding: bits 0..5 lobe number, bit 6 second edge, bit 7 second pick-up.
// Wide encoding (pick-up system 14): bits 0..5 and bit 7 (as value 64) give a
// 7-bit lobe number, bit 6 second edge, no second-pick-up flag.
#include <cstdint>

namespace ign {

constexpr int kWideLobeSystem = 14;

struct Lobe {
  int number = 0;
  bool secondEdge = false;
  bool secondPickup = false;
};

constexpr bool IsWideLobeSystem(int pickupSystem) { return pickupSystem == kWideLobeSystem; }

constexpr Lobe DecodeLobe(uint8_t b, bool wide) {
  Lobe l;
  l.number = b & 0x3F;
  l.secondEdge = (b & 0x40) != 0;
  if (wide)
    l.number |= (b & 0x80) ? 64 : 0;
  else
    l.secondPickup = (b & 0x80) != 0;
  return l;
}

constexpr uint8_t EncodeLobe(const Lobe& l, bool wide) {
  int b = (l.number & 0x3F) | (l.secondEdge ? 0x40 : 0);
  if (wide)
    b |= (l.number & 64) ? 0x80 : 0;
  else
    b |= l.secondPickup ? 0x80 : 0;
  return uint8_t(b);
}

// Systems with many lobes per revolution: every lobe byte takes the second
// edge of channel 1's first lobe.
constexpr bool IsManyLobeSystem(int pickupSystem) { return pickupSystem == 8 || pickupSystem == 14; }

// The many-lobe rule on the eight lobe bytes starting at first (bit 6 of the
// first byte copied into all eight); nothing for other systems.
inline void ShareFirstLobeEdge(uint8_t* first, int pickupSystem) {
  if (!IsManyLobeSystem(pickupSystem)) return;
  const uint8_t edge = first[0] & 0x40;
  for (int i = 0; i < 8; ++i) first[i] = uint8_t((first[i] & ~0x40) | edge);
}

}  // namespace ign
