#include "sim/unit_header.h"

namespace ign::sim {

std::uint8_t MonthCode(int month) {
  static constexpr std::uint8_t kCodes[12] = {25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
  if (month < 1 || month > 12) return 0;
  return kCodes[month - 1];
}

Header BuildHeader(const HeaderInfo& info) {
  Header h{};
  h[0] = 'I';
  h[1] = 'G';
  h[2] = 'N';
  h[3] = 15;
  h[4] = static_cast<std::uint8_t>(info.day);
  h[5] = MonthCode(info.month);
  h[6] = static_cast<std::uint8_t>(info.year);
  h[7] = static_cast<std::uint8_t>(info.hour);
  h[8] = static_cast<std::uint8_t>(info.minute);
  h[10] = static_cast<std::uint8_t>(info.key & 0xFF);
  h[11] = static_cast<std::uint8_t>(info.subversion & 0xFF);
  for (std::size_t i = 0; i < 15 && i < info.name.size(); ++i)
    h[16 + i] = static_cast<std::uint8_t>(info.name[i]);
  // Code: letter S, bit 7 marks a released build; digits written as 24-03-14.
  h[31] = static_cast<std::uint8_t>('S' | 0x80);
  h[32] = static_cast<std::uint8_t>(info.day);
  h[33] = static_cast<std::uint8_t>(info.month);
  h[34] = static_cast<std::uint8_t>(info.year);
  for (int i = 0; i < 4; ++i) h[35 + i] = static_cast<std::uint8_t>((info.lastUpdate >> (8 * i)) & 0xFF);
  // Serial: 0x5A, 7, then date and time of production, printed in reverse byte order.
  h[39] = 0x5A;
  h[40] = static_cast<std::uint8_t>(info.serial);
  h[41] = static_cast<std::uint8_t>(info.minute);
  h[42] = static_cast<std::uint8_t>(info.hour);
  h[43] = 1;
  h[44] = static_cast<std::uint8_t>(info.day);
  h[45] = static_cast<std::uint8_t>(info.month);
  h[46] = static_cast<std::uint8_t>(info.year);
  for (std::size_t i = 0; i < 100 && i < info.owner.size(); ++i)
    h[47 + i] = static_cast<std::uint8_t>(info.owner[i]);
  return h;
}

}  // namespace ign::sim
