#include "core/comm/frame_check.h"

namespace ign {

uint16_t CrcByte(uint16_t reg, uint8_t byte) {
  for (int bit = 0; bit < 8; ++bit) {
    const bool out = (reg & 0x8000) != 0;
    reg = uint16_t((reg << 1) | ((byte >> bit) & 1));
    if (out) reg ^= kCrcPoly;
  }
  return reg;
}

uint16_t Crc(const uint8_t* data, size_t len, uint16_t reg) {
  for (size_t i = 0; i < len; ++i) reg = CrcByte(reg, data[i]);
  return reg;
}

uint16_t WordSum(const uint8_t* data, size_t len) {
  uint16_t sum = 0;
  for (size_t i = 0; i < len; ++i) sum = SumByte(sum, data[i], i);
  return sum;
}

void PutSumCheck(uint8_t* data, size_t len) {
  const uint16_t s = WordSum(data, len);
  if ((len & 1) == 0) {
    data[len] = uint8_t(~s & 0xFF);
    data[len + 1] = uint8_t((~s >> 8) & 0xFF);
  } else {
    data[len] = uint8_t(~(s >> 8) & 0xFF);
    data[len + 1] = uint8_t(~s & 0xFF);
  }
}

uint8_t XorCheck(const uint8_t* data, size_t len) {
  uint8_t x = 0xFF;
  for (size_t i = 0; i < len; ++i) x ^= data[i];
  return x;
}

}  // namespace ign
