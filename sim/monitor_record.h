// Lays out the 150-byte monitor record the unit answers a monitor request with.
#pragma once

#include <array>
#include <cstdint>

namespace ign::sim {

// Record indexes 1..150 (index 0 unused, so that indexes match the wire offsets of the
// short frame); word k is the little-endian value at indexes 2k and 2k + 1.
using Record = std::array<std::uint8_t, 151>;

struct MonitorValues {
  int bike = 0;
  int rpm = 0;
  int loadMv = 0;  // load sensor voltage
  int load = 0;    // percent of throttle or kPa
  int batteryMv = 0;
  int servoMv = 0, servoTargetMv = 0;
  int programmings = 0;
  int savingCount = 0;
  std::array<int, 4> maxAdvance{};  // degrees
  int dwellOpt = 0, dwell = 0;      // 0.1 ms
  std::uint32_t minutes = 0;        // hour meter or last overvoltage (see overvoltageTime)
  bool overvoltageTime = false;
  std::array<int, 10> tests{};
  int overvoltages = 0;
  int streamLength = 0;
  int sensorType = 0;
  std::array<int, 4> advanceByte{};  // degrees + 100, 0 = base advance
  std::uint8_t powerOut = 0;
  std::array<int, 4> powerOutMode{};
  int servoPercent = 0, servoTargetPercent = 0;
  int synchro = 0, channels = 0;
  std::uint8_t fullSync = 0;
  std::uint8_t streamType = 0, streamXor = 0, streamSum = 0, cycleCode = 0;
  std::uint8_t pickupFlags = 0;   // index 140
  std::uint8_t inputStates = 0;   // index 141
  std::uint8_t inputLevels = 0;   // index 142 bits 0..5 (bit 7 from overvoltageTime)
  std::uint8_t inputEnabled = 0;  // index 143
  std::uint8_t errors = 0;        // index 144
  std::uint8_t limiterFlags = 0;  // index 145
  int hwKey = 0;
  int subversion = 0;
  int key = 108;
};

Record LayOutRecord(const MonitorValues& v);

// The 150 data bytes of a record (indexes 1..150) as sent on the line.
std::array<std::uint8_t, 150> RecordData(const Record& r);

}  // namespace ign::sim
