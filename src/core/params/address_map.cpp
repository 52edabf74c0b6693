#include "core/params/address_map.h"

#include <cstdio>

#include "core/params/value.h"

namespace ign {
namespace {

constexpr Area W = Area::Word;
constexpr Area B = Area::Byte;

// name, area, address, count, signed, scale, offset, group, first element
const ParamInfo kParams[] = {
    {"TPS", W, Adrw::TPS, 2, false, 1, 0, 2, 0},
    {"IAP_SENSOR", W, Adrw::IAP_SENSOR, 4, false, 1, 0, 2, 0},
    {"ADV_IAP", W, Adrw::ADV_IAP, 10, false, 1, 0, 3, 0},
    {"ADV2_IAP", W, Adrw::ADV2_IAP, 10, false, 1, 0, 3, 0},
    {"SERVO_IAP", W, Adrw::SERVO_IAP, 10, false, 1, 0, 5, 0},
    {"POWER_OUT_TP", W, Adrw::POWER_OUT_TP, 4, false, 1, 0, 4, 0},
    {"POWER_OUT_PWM_TP", W, Adrw::POWER_OUT_PWM_TP, 8, false, 1, 0, 4, 0},
    {"PROPRIETARY", W, Adrw::PROPRIETARY, 5, true, 1, 0, 9, 0},
    {"BIKE", B, Adrb::BIKE, 1, false, 1, 0, 1, 0},
    {"PICKUP1_POLARITY", B, Adrb::PICKUP1_POLARITY, 1, false, 1, 0, 1, 0},
    {"PICKUP2_POLARITY", B, Adrb::PICKUP2_POLARITY, 1, false, 1, 0, 1, 0},
    {"PICKUPS_INTERCHANGE", B, Adrb::PICKUPS_INTERCHANGE, 1, false, 1, 0, 1, 0},
    {"NO_LOBE_CHECK", B, Adrb::NO_LOBE_CHECK, 1, false, 1, 0, 1, 0},
    {"INTERLOCK_INPUT", B, Adrb::INTERLOCK_INPUT, 1, false, 1, 0, 1, 0},
    {"SPARK_BEFORE_LOBE", B, Adrb::SPARK_BEFORE_LOBE, 1, false, 1, 0, 1, 0},
    {"SPECIAL_START", B, Adrb::SPECIAL_START, 1, false, 1, 0, 1, 0},
    {"SPECIAL_DWELL_START", B, Adrb::SPECIAL_DWELL_START, 1, false, 1, 0, 1, 0},
    {"REV_WITHOUT_IGNITION", B, Adrb::REV_WITHOUT_IGNITION, 1, false, 1, 0, 1, 0},
    {"COMPENSATION", B, Adrb::COMPENSATION, 1, false, 1, 0, 1, 0},
    {"RPM_PULSES", B, Adrb::RPM_PULSES, 1, true, 1, 0, 1, 0},
    {"RPM_CORRECTION", B, Adrb::RPM_CORRECTION, 1, false, 1, -100, 1, 0},
    {"PICKUP_SYSTEM", B, Adrb::PICKUP_SYSTEM, 1, false, 1, 0, 1, 0},
    {"LOBE_COUNT", B, Adrb::LOBE_COUNT, 1, false, 1, 0, 1, 0},
    {"CHANNEL_COUNT", B, Adrb::CHANNEL_COUNT, 1, false, 1, 0, 1, 0},
    {"GEBER_MODE", B, Adrb::GEBER_MODE, 1, false, 1, 0, 1, 0},
    {"PICKUP1_LOBES", B, Adrb::PICKUP1_LOBES, 4, false, 1, 0, 1, 0},
    {"PICKUP2_LOBES", B, Adrb::PICKUP2_LOBES, 4, false, 1, 0, 1, 0},
    {"FOUR_STROKE", B, Adrb::FOUR_STROKE, 1, false, 1, 0, 1, 0},
    {"SPECIAL_START_PERC", B, Adrb::SPECIAL_START_PERC, 1, false, 1, 0, 1, 0},
    {"LIMITER", B, Adrb::LIMITER, 1, false, 100, 0, 0, 0},
    {"START_LIM", B, Adrb::START_LIM, 1, false, 100, 0, 0, 0},
    {"START_LIM_DELAY", B, Adrb::START_LIM_DELAY, 1, false, 100, 0, 0, 0},
    {"CLUTCH_PAUSE", B, Adrb::CLUTCH_PAUSE, 1, false, 10, 0, 0, 0},
    {"CLUTCH_TIME", B, Adrb::CLUTCH_TIME, 1, false, 5, 0, 0, 0},
    {"RETARD", B, Adrb::RETARD, 1, false, 1, 0, 0, 0},
    {"EXCITATION", B, Adrb::EXCITATION, 1, false, 1, 0, 0, 0},
    {"DWELL", B, Adrb::DWELL, 4, false, 1, 0, 0, 0},
    {"DUR_DISCHARG", B, Adrb::DUR_DISCHARG, 1, false, 1, 0, 0, 0},
    {"DWELL", B, Adrb::DWELL_5, 1, false, 1, 0, 0, 4},
    {"TPSIAP_SENSOR", B, Adrb::TPSIAP_SENSOR, 1, false, 1, 0, 2, 0},
    {"INPUT_FUNCTION", B, Adrb::INPUT_FUNCTION, 6, false, 1, 0, 0, 0},
    {"INPUT_INVERT", B, Adrb::INPUT_INVERT, 1, false, 1, 0, 0, 0},
    {"INPUT_SPARE", B, Adrb::INPUT_SPARE, 1, false, 1, 0, 0, 0},
    {"BASE_ADV", B, Adrb::BASE_ADV, 1, false, 1, 0, 3, 0},
    {"ADV_MAP", B, Adrb::ADV_MAP, 1, false, 1, 0, 3, 0},
    {"ADV2_MAP", B, Adrb::ADV2_MAP, 1, false, 1, 0, 3, 0},
    {"ADV_COLUMNS", B, Adrb::ADV_COLUMNS, 1, false, 1, 0, 3, 0},
    {"ADV2_COLUMNS", B, Adrb::ADV2_COLUMNS, 1, false, 1, 0, 3, 0},
    {"CORR_ADVANCE", B, Adrb::CORR_ADVANCE, 4, false, 1, -100, 3, 0},
    {"POWER_OUT_FUNCTION", B, Adrb::POWER_OUT_FUNCTION, 2, false, 1, 0, 4, 0},
    {"POWER_OUT_RPM", B, Adrb::POWER_OUT_RPM, 6, false, 100, 0, 4, 0},
    {"POWER_OUT_HYSTERESIS", B, Adrb::POWER_OUT_HYSTERESIS, 2, false, 10, 0, 4, 0},
    {"POWER_OUT_SPWM_FR", B, Adrb::POWER_OUT_SPWM_FR, 2, false, 1, 0, 4, 0},
    {"POWER_OUT_SP_PWM", B, Adrb::POWER_OUT_SP_PWM, 2, false, 1, 0, 4, 0},
    {"POWER_OUT_SPULSE", B, Adrb::POWER_OUT_SPULSE, 2, false, 5, 0, 4, 0},
    {"POWER_OUT_MASK", B, Adrb::POWER_OUT_MASK, 6, false, 1, 0, 4, 0},
    {"POWER_OUT_PWM_RPM", B, Adrb::POWER_OUT_PWM_RPM, 12, false, 100, 0, 4, 0},
    {"POWER_OUT_PWM", B, Adrb::POWER_OUT_PWM, 48, false, 1, 0, 4, 0},
    {"SERVO_ENABLE", B, Adrb::SERVO_ENABLE, 1, false, 1, 0, 5, 0},
    {"SERVO_PERCENT", B, Adrb::SERVO_PERCENT, 1, false, 1, 0, 5, 0},
    {"SERVO_MAP", B, Adrb::SERVO_MAP, 1, false, 1, 0, 5, 0},
    {"SERVO_COLUMNS", B, Adrb::SERVO_COLUMNS, 1, false, 1, 0, 5, 0},
    {"SERVO_HYSTER", B, Adrb::SERVO_HYSTER, 1, false, 5, 0, 5, 0},
    {"SERVO_NO", B, Adrb::SERVO_NO, 1, false, 5, 0, 5, 0},
    {"TEST_SET", B, Adrb::TEST_SET, 1, false, 100, 0, 9, 0},
    {"TEST_SET", B, Adrb::TEST_SET + 1, 1, false, 10, 0, 9, 1},
    {"SYNC_POLARITY", B, Adrb::SYNC_POLARITY, 1, false, 1, 0, 1, 0},
    {"RESERVED_389", B, Adrb::RESERVED_389, 1, false, 1, 0, -1, 0},
    {"FOUR_STROKE_2ND_TURN", B, Adrb::FOUR_STROKE_2ND_TURN, 1, false, 1, 0, 1, 0},
    {"SERVO_SENSOR", B, Adrb::SERVO_SENSOR, 1, false, 1, 0, 2, 0},
    {"MAX_LOBE_LEN", B, Adrb::MAX_LOBE_LEN, 1, false, 1, 0, 1, 0},
    {"FLYWHEEL_OPERATION", B, Adrb::FLYWHEEL_OPERATION, 1, false, 1, 0, 1, 0},
    {"ADV2TOOUT2", B, Adrb::ADV2TOOUT2, 1, false, 1, 0, 3, 0},
    {"SERVO_RPM", B, Adrb::SERVO_RPM, 15, false, 100, 0, 5, 0},
    {"RPM_ADV", B, Adrb::RPM_ADV, 15, false, 100, 0, 3, 0},
    {"RPM_ADV2", B, Adrb::RPM_ADV2, 15, false, 100, 0, 3, 0},
    {"ADVANCE", B, Adrb::ADVANCE, kMapCells, false, 1, -100, 3, 0},
    {"SERVO", B, Adrb::SERVO, kMapCells, false, 20, 0, 5, 0},
    {"ADVANCE2", B, Adrb::ADVANCE2, kMapCells, false, 1, -100, 3, 0},
};

// Owner table of every byte offset: index into kParams, or -1.
struct ByteOwners {
  std::array<short, RS_LEN_EXE> owner;
  ByteOwners() {
    owner.fill(-1);
    for (size_t k = 0; k < std::size(kParams); ++k) {
      const ParamInfo& p = kParams[k];
      for (int i = 0; i < p.count; ++i)
        for (int b = 0; b < ByteWidth(p); ++b) owner[FirstByte(p, i) + b] = short(k);
    }
  }
};
const ByteOwners& Owners() {
  static const ByteOwners owners;
  return owners;
}

}  // namespace

std::span<const ParamInfo> ParamTable() { return kParams; }

const ParamInfo* FindParam(const std::string& name) {
  for (const ParamInfo& p : kParams)
    if (name == p.name) return &p;
  return nullptr;
}

int ShownValue(const Image& img, const ParamInfo& p, int i) {
  int element = i | (p.isSigned ? kSignedFlag : 0);
  return p.area == Area::Word ? ReadWordValue(img, p.address, element, p.scale, p.offset)
                              : ReadByteValue(img, p.address, element, p.scale, p.offset);
}

bool IsNamedByte(int offset) { return offset >= 0 && offset < RS_LEN_EXE && Owners().owner[offset] >= 0; }

int GroupOfByte(int offset) {
  if (!IsNamedByte(offset)) return -1;
  return kParams[Owners().owner[offset]].group;
}

LayoutExtents CurrentLayout() {
  LayoutExtents l{};
  l.lastWordEnd = 0;
  l.lastByteEnd = 0;
  int lastByteParamEnd = 0;
  int firstTable = Adrb::END;
  for (const ParamInfo& p : kParams) {
    int end = p.address + p.count;
    if (p.area == Area::Word) {
      l.lastWordEnd = std::max(l.lastWordEnd, end);
    } else {
      l.lastByteEnd = std::max(l.lastByteEnd, end);
      if (p.address < Adrb::SERVO_RPM)
        lastByteParamEnd = std::max(lastByteParamEnd, end);
      else
        firstTable = std::min(firstTable, p.address);
    }
  }
  l.wordRoom = Adrw::END;
  l.byteRoom = Adrb::END;
  l.gapBytesToTables = firstTable - lastByteParamEnd;
  // Monitor record: words up to word 73 (hardware key), bytes up to index 150.
  l.monitorWordEnd = 74;
  l.monitorWordRoom = 151 / 2;
  l.monitorByteEnd = 151;
  l.monitorByteRoom = 151;
  l.bitFields = {{"PICKUP_FLAGS", 8},         {"INPUT_FLAGS", 7},   {"INPUT_STATE", 8},
                 {"INPUT_ENABLED", 8},        {"ERROR_FLAGS", 5},   {"LIMITER_FLAGS", 8},
                 {"FOUR_STROKE_2ND_TURN", 4}, {"POWER_OUT_MASK", 4}};
  l.imageLen = RS_LEN_EXE;
  l.commBuf = COMMAXBUF;
  return l;
}

std::vector<std::string> ConsistencyMessages(const LayoutExtents& l) {
  std::vector<std::string> out;
  auto over = [&](const char* msg, int n) {
    if (n > 0) out.push_back(msg + std::to_string(n));
  };
  over("Software error: Enum Adrw to long - ", l.lastWordEnd - l.wordRoom);
  over("Software error: Enum Adrb to long - ", l.lastByteEnd - l.byteRoom);
  over("Software error: Enum Adrb - no space between bytes and tables - ", -l.gapBytesToTables);
  over("Software error: Enum Monw to long - ", l.monitorWordEnd - l.monitorWordRoom);
  over("Software error: Enum Monb to long - ", l.monitorByteEnd - l.monitorByteRoom);
  for (const auto& [name, bits] : l.bitFields)
    over("Software error: More then 8 bits in bitfield - ", bits - 8);
  if (l.imageLen > l.commBuf)
    out.push_back("Software error: RS_LEN_EXE>COMMAXBUF - " + std::to_string(l.imageLen) + ">" +
                  std::to_string(l.commBuf));
  return out;
}

}  // namespace ign
