// The 150-byte header (identity block) the unit answers a header read with.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ign::sim {

using Header = std::array<std::uint8_t, 150>;

struct HeaderInfo {
  int key = 108;
  int subversion = 0;
  std::string name = "IGNSIM";         // up to 15 characters
  int day = 14, month = 3, year = 24;  // production date (year two digits)
  int hour = 9, minute = 41;
  std::uint32_t lastUpdate = 1735689600;  // seconds since 1970
  std::string owner = "Simulated unit";
  int serial = 7;  // the unit number of the serial (byte 40)
};

// Lays the header out: model letters and number in bytes 0..3, production date and time in
// 4..8, key and subversion in 10 and 11, the name in 16..30, the code in 31..34, the last
// update in 35..38, the serial in 39..46 and the owner text in 47..146.
Header BuildHeader(const HeaderInfo& info);

// The month code the header carries for months 1..12.
std::uint8_t MonthCode(int month);

}  // namespace ign::sim
