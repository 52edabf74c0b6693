#include "sim/monitor_record.h"

#include <algorithm>

namespace ign::sim {
namespace {

void PutWord(Record& r, int k, int v) {
  const int clamped = std::clamp(v, 0, 0xFFFF);
  r[2 * k] = static_cast<std::uint8_t>(clamped & 0xFF);
  r[2 * k + 1] = static_cast<std::uint8_t>(clamped >> 8);
}

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

Record LayOutRecord(const MonitorValues& v) {
  Record r{};
  r[1] = Byte(v.bike);
  PutWord(r, 1, v.rpm);
  PutWord(r, 2, v.loadMv);
  PutWord(r, 3, v.load);
  PutWord(r, 4, v.batteryMv);
  PutWord(r, 5, v.servoMv);
  PutWord(r, 6, v.servoTargetMv);
  PutWord(r, 7, v.programmings);
  PutWord(r, 8, v.savingCount);
  for (int c = 0; c < 4; ++c) PutWord(r, 9 + c, v.maxAdvance[c]);
  PutWord(r, 13, v.dwellOpt);
  PutWord(r, 14, v.dwell);
  PutWord(r, 15, static_cast<int>(v.minutes & 0xFFFF));
  for (int i = 0; i < 10; ++i) {
    // Test values travel as 16-bit words; the proprietary ones may be negative.
    const int t = v.tests[i] & 0xFFFF;
    r[2 * (16 + i)] = static_cast<std::uint8_t>(t & 0xFF);
    r[2 * (16 + i) + 1] = static_cast<std::uint8_t>(t >> 8);
  }
  PutWord(r, 39, v.overvoltages);
  PutWord(r, 49, v.streamLength);
  r[100] = Byte(v.sensorType);
  for (int c = 0; c < 4; ++c) r[105 + c] = Byte(v.advanceByte[c]);
  r[109] = v.powerOut & 0x0F;
  for (int k = 0; k < 4; ++k) r[110 + k] = Byte(v.powerOutMode[k]);
  r[115] = static_cast<std::uint8_t>((v.minutes >> 16) & 0xFF);
  r[116] = Byte(v.servoPercent);
  r[117] = Byte(v.servoTargetPercent);
  r[118] = Byte(v.synchro);
  r[119] = Byte(v.channels);
  r[127] = v.fullSync;
  r[128] = v.streamType;
  r[129] = v.streamXor;
  r[130] = v.streamSum;
  r[131] = v.cycleCode;
  r[140] = v.pickupFlags;
  r[141] = v.inputStates;
  r[142] = static_cast<std::uint8_t>((v.inputLevels & 0x3F) | (v.overvoltageTime ? 0x80 : 0));
  r[143] = v.inputEnabled;
  r[144] = v.errors;
  r[145] = v.limiterFlags;
  PutWord(r, 73, v.hwKey);
  r[149] = static_cast<std::uint8_t>(v.subversion & 0xFF);
  r[150] = static_cast<std::uint8_t>(v.key & 0xFF);
  return r;
}

std::array<std::uint8_t, 150> RecordData(const Record& r) {
  std::array<std::uint8_t, 150> d{};
  std::copy(r.begin() + 1, r.end(), d.begin());
  return d;
}

}  // namespace ign::sim
