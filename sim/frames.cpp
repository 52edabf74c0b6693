#include "sim/frames.h"

#include <span>

#include "sim/checks.h"

namespace ign::sim {

std::vector<std::uint8_t> BuildShortAnswer(int n, std::uint8_t command,
                                           const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> f(static_cast<std::size_t>(n) + 2, 0);
  f[0] = command;
  for (std::size_t i = 0; i < data.size() && i < static_cast<std::size_t>(n); ++i) f[i + 1] = data[i];
  f[n + 1] = ShortCheck(std::span(f.data(), static_cast<std::size_t>(n) + 1));
  return f;
}

std::vector<std::uint8_t> BuildHeaderFrame(std::uint8_t marker, std::uint16_t word, std::uint16_t address,
                                           const std::vector<std::uint8_t>& data) {
  const std::size_t n = data.size() > kMaxHeaderData ? kMaxHeaderData : data.size();
  std::vector<std::uint8_t> f = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, marker};
  f.push_back(word & 0xFF);
  f.push_back(word >> 8);
  f.push_back(address & 0xFF);
  f.push_back(address >> 8);
  f.push_back(n & 0xFF);
  f.push_back(static_cast<std::uint8_t>(n >> 8));
  f.insert(f.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
  if ((marker >> 4) == 0xF) {
    const std::uint16_t s = HeaderSum(f);
    if (n % 2 == 0) {
      const std::uint16_t c = static_cast<std::uint16_t>(~s);
      f.push_back(c & 0xFF);
      f.push_back(c >> 8);
    } else {
      f.push_back(static_cast<std::uint8_t>(~(s >> 8)));
      f.push_back(static_cast<std::uint8_t>(~(s & 0xFF)));
    }
  } else {
    const std::uint16_t c = HeaderCrc(f);
    f.push_back(c & 0xFF);
    f.push_back(c >> 8);
  }
  return f;
}

std::vector<std::uint8_t> BuildHeaderReply(bool sumCheck, bool positive, std::uint16_t word,
                                           std::uint16_t address, const std::vector<std::uint8_t>& data) {
  const std::uint8_t marker = static_cast<std::uint8_t>((sumCheck ? 0xF0 : 0xB0) | (positive ? 0x0C : 0x0D));
  return BuildHeaderFrame(marker, word, address, data);
}

std::vector<std::uint8_t> BuildHeaderAck(bool sumCheck, std::uint16_t ackedWord, std::uint16_t address) {
  const std::uint8_t marker = static_cast<std::uint8_t>((sumCheck ? 0xF0 : 0xB0) | 0x0C);
  return BuildHeaderFrame(
      marker, 0xFFFF, ackedWord,
      {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)});
}

}  // namespace ign::sim

namespace ign::sim {

std::vector<std::uint8_t> BuildHeaderNak(bool sumCheck, std::uint16_t refusedWord, std::uint16_t address) {
  const std::uint8_t marker = static_cast<std::uint8_t>((sumCheck ? 0xF0 : 0xB0) | 0x0D);
  return BuildHeaderFrame(
      marker, 0xFFFE, refusedWord,
      {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)});
}

}  // namespace ign::sim
