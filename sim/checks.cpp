#include "sim/checks.h"

namespace ign::sim {

std::uint8_t ShortCheck(std::span<const std::uint8_t> bytes) {
  std::uint8_t c = 0xFF;
  for (std::uint8_t b : bytes) c ^= b;
  return c;
}

std::uint16_t HeaderCrc(std::span<const std::uint8_t> bytes, std::uint16_t start) {
  std::uint16_t reg = start;
  for (std::uint8_t b : bytes) {
    for (int bit = 0; bit < 8; ++bit) {
      const bool out = (reg & 0x8000) != 0;
      reg = static_cast<std::uint16_t>((reg << 1) | ((b >> bit) & 1));
      if (out) reg ^= 0x1083;
    }
  }
  return reg;
}

std::uint16_t HeaderSum(std::span<const std::uint8_t> bytes) {
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned v = (i % 2 == 0) ? bytes[i] : (static_cast<unsigned>(bytes[i]) << 8);
    sum = static_cast<std::uint16_t>(sum + v);
  }
  return sum;
}

}  // namespace ign::sim
