#pragma once
// The monitor record: the unit's 150-byte live answer, kept at indexes 1..150
// (index 0 is always 0, so an index equals the byte's offset in the short
// frame). Word k is the unsigned little-endian value of indexes 2k and 2k + 1.
#include <array>
#include <cstdint>
#include <cstring>

namespace ign {

constexpr int kMonitorRecordLen = 151;
constexpr int kMonitorDataLen = 150;  // indexes 1..150 on the line

// Record indexes and word numbers the program reads.
namespace Mon {
enum : int {
  BIKE = 1,           // byte
  RPM = 1,            // word
  TPS = 2,            // word: load sensor voltage, mV
  TPSIAP = 3,         // word: throttle % or pressure kPa
  BATTERY = 4,        // word: mV
  SERVO = 5,          // word: mV
  SERVO_TG = 6,       // word: mV
  PROGRAMMINGS = 7,   // word
  SAVING = 8,         // word
  ADV_MAX = 9,        // words 9..12
  MINUTES_LO = 15,    // word
  TEST = 16,          // words 16..25
  OVERVOLTAGES = 39,  // word
  STREAM_LEN = 49,    // word
  SENSOR = 100,       // byte
  ADV = 105,          // bytes 105..108
  POUT = 109,
  POUT_MODE = 110,  // bytes 110..113
  MINUTES_HI = 115,
  SERVO_PERC = 116,
  SERVO_TARG_PERC = 117,
  SYNCHRO = 118,
  CHANNELS = 119,
  FULL_SYNC = 127,
  STREAM_TYPE = 128,
  STREAM_XOR = 129,
  STREAM_SUM = 130,
  STREAM_FURTHER = 131,
  PICKUP = 140,
  INPUTS = 141,
  LEVELS = 142,
  INPUTS_EN = 143,
  ERRORS = 144,
  LIMITS = 145,
  HWKEY = 73,  // word
  SUBVERSION = 149,
  KEY = 150,
};
}  // namespace Mon

// Bits of byte 140.
namespace PickupBit {
enum : int {
  PICKUP1_RUN,
  PICKUP2_RUN,
  SYNCHRO1_ERR,
  SYNCHRO2_ERR,
  POLARITY1,
  POLARITY2,
  POLARITY1_ERR,
  POLARITY2_ERR
};
}
// Bits of bytes 141 (state) and 143 (configured).
namespace InputBit {
enum : int { KILL_SWITCH, BLOCKING, CLUTCH_MASTER, RETARD, START_LIMITER, SECOND_ADV, TACHO_LAMBDA, N2O };
}
// Bits of byte 144.
namespace ErrorBit {
enum : int { EE_DATA_ERR, IAP_ERR, TPS_ERR, DWELL_ERR, SERVO_OK };
}
// Bits of byte 145.
namespace LimitBit {
enum : int {
  LIMITER,
  LIMITER_SOFT,
  START_LIMITER_ACT,
  START_LIMITER_SOFT,
  SERVO_PROC_MV,
  SERVO_EN,
  SPEED_EN,
  GEAR_EN
};
}

struct MonitorRecord {
  std::array<uint8_t, kMonitorRecordLen> bytes{};

  uint8_t Byte(int index) const { return bytes[size_t(index)]; }
  uint16_t Word(int k) const { return uint16_t(bytes[size_t(2 * k)] | (bytes[size_t(2 * k + 1)] << 8)); }
  bool Bit(int index, int bit) const { return (bytes[size_t(index)] >> bit) & 1; }
  void Clear() { bytes.fill(0); }
  // The 150 data bytes of an answer become indexes 1..150.
  void SetData(const uint8_t* data150) {
    bytes[0] = 0;
    std::memcpy(bytes.data() + 1, data150, kMonitorDataLen);
  }
};

// The load sensor type of a record: 0 none, 1 throttle, 2 pressure (above 2 counts as 2).
inline int SensorType(const MonitorRecord& r) { return r.Byte(Mon::SENSOR) > 2 ? 2 : r.Byte(Mon::SENSOR); }

}  // namespace ign
