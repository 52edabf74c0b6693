// Frames written out by hand from the byte layouts, for checking the simulated unit.
#pragma once

#include <cstdint>
#include <vector>

namespace ign::test {

using Bytes = std::vector<std::uint8_t>;

// Short request: command, n data bytes (data padded with zeros), key in the last data
// byte when key != 0, then the check byte 0xFF ^ all bytes.
inline Bytes ShortRequest(int n, std::uint8_t command, Bytes data = {}, int key = 0) {
  Bytes f(static_cast<std::size_t>(n) + 2, 0);
  f[0] = command;
  for (std::size_t i = 0; i < data.size() && i < static_cast<std::size_t>(n); ++i) f[1 + i] = data[i];
  if (key != 0) f[n] = static_cast<std::uint8_t>(key & 0xFF);
  std::uint8_t c = 0xFF;
  for (int i = 0; i <= n; ++i) c ^= f[i];
  f[n + 1] = c;
  return f;
}

inline bool ShortFrameChecks(const Bytes& f) {
  std::uint8_t c = 0xFF;
  for (auto b : f) c ^= b;
  return c == 0;
}

// Header-family CRC: register starts at 1, bits least significant first, poly 0x1083.
inline std::uint16_t Crc(const Bytes& b, std::size_t len) {
  std::uint16_t r = 1;
  for (std::size_t i = 0; i < len; ++i)
    for (int bit = 0; bit < 8; ++bit) {
      const bool top = r & 0x8000;
      r = static_cast<std::uint16_t>((r << 1) | ((b[i] >> bit) & 1));
      if (top) r ^= 0x1083;
    }
  return r;
}

// 16-bit sum of little-endian words at even offsets.
inline std::uint16_t WordSum(const Bytes& b, std::size_t len) {
  std::uint32_t s = 0;
  for (std::size_t i = 0; i < len; ++i) s += (i % 2 == 0) ? b[i] : (b[i] << 8);
  return static_cast<std::uint16_t>(s);
}

inline Bytes HeaderRequest(bool sum, std::uint16_t word, std::uint16_t address, Bytes data = {}) {
  Bytes f = {0xFF,
             0xFF,
             0xFF,
             0xFF,
             0xA5,
             0x5A,
             0xBB,
             static_cast<std::uint8_t>(sum ? 0xFB : 0xBB),
             static_cast<std::uint8_t>(word),
             static_cast<std::uint8_t>(word >> 8),
             static_cast<std::uint8_t>(address),
             static_cast<std::uint8_t>(address >> 8),
             static_cast<std::uint8_t>(data.size()),
             static_cast<std::uint8_t>(data.size() >> 8)};
  for (auto b : data) f.push_back(b);
  if (sum) {
    const std::uint16_t s = WordSum(f, f.size());
    if (data.size() % 2 == 0) {
      f.push_back(static_cast<std::uint8_t>(~s));
      f.push_back(static_cast<std::uint8_t>(~s >> 8));
    } else {
      f.push_back(static_cast<std::uint8_t>(~(s >> 8)));
      f.push_back(static_cast<std::uint8_t>(~(s & 0xFF)));
    }
  } else {
    const std::uint16_t c = Crc(f, f.size());
    f.push_back(static_cast<std::uint8_t>(c));
    f.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return f;
}

// A header frame as received: fields and whether its check holds.
struct HeaderFrame {
  bool ok = false;
  std::uint8_t marker = 0;
  std::uint16_t word = 0, address = 0;
  Bytes data;
};

inline HeaderFrame ParseHeaderFrame(const Bytes& f) {
  HeaderFrame h;
  if (f.size() < 16) return h;
  const std::size_t n = f[12] | (f[13] << 8);
  if (f.size() != n + 16) return h;
  h.marker = f[7];
  h.word = static_cast<std::uint16_t>(f[8] | (f[9] << 8));
  h.address = static_cast<std::uint16_t>(f[10] | (f[11] << 8));
  h.data.assign(f.begin() + 14, f.begin() + 14 + static_cast<std::ptrdiff_t>(n));
  if ((h.marker >> 4) == 0xF) {
    h.ok = WordSum(f, f.size()) == 0xFFFF;
  } else {
    const std::uint16_t c = Crc(f, n + 14);
    h.ok = f[n + 14] == (c & 0xFF) && f[n + 15] == (c >> 8);
  }
  return h;
}

}  // namespace ign::test
