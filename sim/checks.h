// Check values of the two frame families, computed on the unit's side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ign::sim {

// Short frames: 0xFF exclusive-or every byte, so that 0xFF ^ all bytes incl. check is 0.
std::uint8_t ShortCheck(std::span<const std::uint8_t> bytes);

// Header frames, CRC kind: register starts at 1, bits fed least significant first,
// polynomial 0x1083.
std::uint16_t HeaderCrc(std::span<const std::uint8_t> bytes, std::uint16_t start = 1);

// Header frames, sum kind: 16-bit sum of the little-endian words at even offsets.
std::uint16_t HeaderSum(std::span<const std::uint8_t> bytes);

}  // namespace ign::sim
