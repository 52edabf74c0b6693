#pragma once
// The parameter image: the unit's 1050-byte settings block and its addresses.
#include <array>
#include <cstdint>

#include "core/comm/comm_const.h"  // COMMAXBUF

namespace ign {

constexpr int RS_LEN_EXE = 1050;    // bytes exchanged with the unit, compared, saved
constexpr int kImageBufLen = 1052;  // bytes 1050 and 1051 are never sent, compared or saved
static_assert(RS_LEN_EXE <= COMMAXBUF);

using Image = std::array<uint8_t, kImageBufLen>;

constexpr uint16_t kSignedFlag = 0x8000;  // added to an element index: read the value signed

// Word area: 70 little-endian words, addressed by word index.
namespace Adrw {
enum : int {
  TPS = 0,
  IAP_SENSOR = 2,
  ADV_IAP = 6,
  ADV2_IAP = 16,
  SERVO_IAP = 26,
  POWER_OUT_TP = 36,
  POWER_OUT_PWM_TP = 44,
  PROPRIETARY = 61,
  END = 70,  // one past the last word of the word area
};
}  // namespace Adrw

// Byte area (140..410) and table area (555..1049), addressed by byte offset.
namespace Adrb {
enum : int {
  BIKE = 140,
  PICKUP1_POLARITY = 142,
  PICKUP2_POLARITY = 143,
  PICKUPS_INTERCHANGE = 144,
  NO_LOBE_CHECK = 145,
  INTERLOCK_INPUT = 146,
  SPARK_BEFORE_LOBE = 147,
  SPECIAL_START = 148,
  SPECIAL_DWELL_START = 149,
  REV_WITHOUT_IGNITION = 150,
  COMPENSATION = 151,
  RPM_PULSES = 152,
  RPM_CORRECTION = 153,
  PICKUP_SYSTEM = 154,
  LOBE_COUNT = 155,
  CHANNEL_COUNT = 156,
  GEBER_MODE = 157,
  PICKUP1_LOBES = 158,
  PICKUP2_LOBES = 162,
  FOUR_STROKE = 166,
  SPECIAL_START_PERC = 167,
  LIMITER = 172,
  START_LIM = 173,
  START_LIM_DELAY = 175,
  CLUTCH_PAUSE = 176,
  CLUTCH_TIME = 177,
  RETARD = 178,
  EXCITATION = 179,
  DWELL = 180,
  DUR_DISCHARG = 184,
  DWELL_5 = 185,  // the fifth dwell byte, after DUR_DISCHARG
  TPSIAP_SENSOR = 186,
  INPUT_FUNCTION = 189,
  INPUT_INVERT = 195,
  INPUT_SPARE = 196,
  BASE_ADV = 203,
  ADV_MAP = 204,
  ADV2_MAP = 205,
  ADV_COLUMNS = 206,
  ADV2_COLUMNS = 207,
  CORR_ADVANCE = 208,
  POWER_OUT_FUNCTION = 214,
  POWER_OUT_RPM = 218,
  POWER_OUT_HYSTERESIS = 230,
  POWER_OUT_SPWM_FR = 234,
  POWER_OUT_SP_PWM = 238,
  POWER_OUT_SPULSE = 242,
  POWER_OUT_MASK = 246,
  POWER_OUT_PWM_RPM = 258,
  POWER_OUT_PWM = 282,
  SERVO_ENABLE = 378,
  SERVO_PERCENT = 379,
  SERVO_MAP = 380,
  SERVO_COLUMNS = 381,
  SERVO_HYSTER = 382,
  SERVO_NO = 383,
  TEST_SET = 386,
  SYNC_POLARITY = 388,
  RESERVED_389 = 389,
  FOUR_STROKE_2ND_TURN = 390,
  SERVO_SENSOR = 391,
  MAX_LOBE_LEN = 402,
  FLYWHEEL_OPERATION = 403,
  ADV2TOOUT2 = 404,
  BYTES_END = 405,  // one past the last named byte parameter
  UNUSED_FIRST = 411,
  // table area
  SERVO_RPM = 555,
  RPM_ADV = 570,
  RPM_ADV2 = 585,
  ADVANCE = 600,
  SERVO = 750,
  ADVANCE2 = 900,
  END = 1050,  // one past the last table byte
};
}  // namespace Adrb

constexpr int kMapRows = 10;
constexpr int kMapCols = 15;
constexpr int kMapCells = kMapRows * kMapCols;

// Raw access. Words are little-endian.
inline uint16_t GetWord(const Image& img, int wordIndex) {
  return uint16_t(img[2 * wordIndex] | (img[2 * wordIndex + 1] << 8));
}
inline void SetWord(Image& img, int wordIndex, uint16_t v) {
  img[2 * wordIndex] = uint8_t(v & 0xFF);
  img[2 * wordIndex + 1] = uint8_t(v >> 8);
}

}  // namespace ign
