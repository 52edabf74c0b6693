#pragma once
// The checks of both frame families.
#include <cstddef>
#include <cstdint>

namespace ign {

constexpr uint16_t kCrcPoly = 0x1083;
constexpr uint16_t kCrcStart = 1;
constexpr uint16_t kCrcAfterStart = 0xB797;  // the register after FF FF FF FF A5 5A BB
constexpr uint16_t kSumAfterStart = 0x5B5E;  // the sum after those bytes and a zero byte 7

// Feeds one byte into the CRC register, least significant bit first.
uint16_t CrcByte(uint16_t reg, uint8_t byte);
uint16_t Crc(const uint8_t* data, size_t len, uint16_t reg = kCrcStart);

// Adds a byte to the word sum: as a low byte at an even offset, as a high byte at an odd one.
inline uint16_t SumByte(uint16_t sum, uint8_t byte, size_t offset) {
  return uint16_t(sum + ((offset & 1) ? uint16_t(byte) << 8 : byte));
}
uint16_t WordSum(const uint8_t* data, size_t len);

// Stores the check that makes the word sum of the whole frame 0xFFFF at
// data[len], data[len + 1] (len = offset of the check).
void PutSumCheck(uint8_t* data, size_t len);

// 0xFF exclusive-or all bytes.
uint8_t XorCheck(const uint8_t* data, size_t len);

}  // namespace ign
