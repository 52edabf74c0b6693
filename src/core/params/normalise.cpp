#include "core/params/normalise.h"

#include <initializer_list>

#include "core/params/clamp.h"
#include "core/params/defaults.h"
#include "core/params/lobe.h"

namespace ign {
namespace {

constexpr int kAscending = 1, kNoOrder = 0;

void ClampByte(uint8_t& b, int lo, int hi) {
  if (b < lo) b = uint8_t(lo);
  if (b > hi) b = uint8_t(hi);
}

void NormaliseSingleBytes(Image& img) {
  using namespace Adrb;
  if (img[FOUR_STROKE] > 2) img[FOUR_STROKE] = 0;
  if (img[FLYWHEEL_OPERATION] > 1) img[FLYWHEEL_OPERATION] = 1;
  if (img[CHANNEL_COUNT] == 0) img[CHANNEL_COUNT] = 1;
  if (img[CHANNEL_COUNT] > 3) img[CHANNEL_COUNT] = 4;
  if (img[EXCITATION] > 3) img[EXCITATION] = 3;
  if (img[MAX_LOBE_LEN] == 0 || img[MAX_LOBE_LEN] > 249) img[MAX_LOBE_LEN] = 250;
}

void NormaliseMaps(Image& img) {
  using namespace Adrb;
  for (int i = 0; i < kMapCells; ++i) {
    ClampByte(img[ADVANCE + i], 70, 160);
    ClampByte(img[ADVANCE2 + i], 70, 160);
    ClampByte(img[SERVO + i], 0, img[SERVO_PERCENT] ? 100 : 250);
  }
  const std::pair<int, int> maps[] = {
      {ADVANCE, ADV_COLUMNS}, {ADVANCE2, ADV2_COLUMNS}, {SERVO, SERVO_COLUMNS}};
  for (auto [base, columns] : maps) {
    if (img[columns] == 0 || img[columns] > kMapCols) img[columns] = kMapCols;
    FillUnusedColumns(img, base, img[columns]);
  }
  for (auto [base, columns] : maps) ClampByte(img[columns], 1, kMapCols);
}

void NormaliseLobes(Image& img) {
  using namespace Adrb;
  const int system = img[PICKUP_SYSTEM];
  if (system == 0) img[LOBE_COUNT] = 1;
  const bool wide = IsWideLobeSystem(system);
  const int maxLobes = wide ? 120 : 58;
  if (img[LOBE_COUNT] > maxLobes) img[LOBE_COUNT] = uint8_t(maxLobes);
  const int lobeCount = img[LOBE_COUNT];
  const bool keepSecondPickup =
      system == 0 || system == 4 || system == 9 || system == 17 || system == 18 || system == 19;
  for (int ch = 0; ch < 4; ++ch) {
    for (int at : {PICKUP1_LOBES + ch, PICKUP2_LOBES + ch}) {
      Lobe l = DecodeLobe(img[at], wide);
      if (l.number > lobeCount) l.number = lobeCount;
      if (l.number == 0) l.number = 1;
      uint8_t b = EncodeLobe(l, wide);
      if (!wide && !keepSecondPickup) b &= 0x7F;
      img[at] = b;
    }
  }
}

void NormalisePowerOutputs(Image& img) {
  using namespace Adrb;
  const int loadMax = img[TPSIAP_SENSOR] == 2 ? 999 : 100;
  for (int k = 0; k < 2; ++k) {
    uint8_t& function = img[POWER_OUT_FUNCTION + k];
    if (!(function <= 2 || function >= 253)) function = 255;
    const bool shiftLight = function == 2;
    ClampRange(img, kAscending, POWER_OUT_RPM, 3 * k, 3, 250, 3, shiftLight ? 0 : 1);
    ClampRangeW(img, kAscending, Adrw::POWER_OUT_TP, 2 * k, 0, loadMax, 2, 1);
    if (shiftLight) SetPowerOutFixed(img, k, 0);
    ClampRange(img, kAscending, POWER_OUT_PWM_RPM, 6 * k, 3, 250, 6, 1);
    ClampRangeW(img, kAscending, Adrw::POWER_OUT_PWM_TP, 4 * k, 0, loadMax, 4, 1);
    int lo = 0, hi = 100;
    if (function == 253) {
      lo = (img[POWER_OUT_SPULSE + k] + 9) / 10;
      hi = 200;
    }
    ClampRange(img, kNoOrder, POWER_OUT_PWM, 24 * k, lo, hi, 24, 0);
  }
}

}  // namespace

void NormaliseImage(Image& img, const NormaliseAppState& app) {
  using namespace Adrb;
  NormaliseSingleBytes(img);
  for (int axis : {Adrw::ADV_IAP, Adrw::ADV2_IAP, Adrw::SERVO_IAP})
    ClampRangeW(img, kAscending, axis, 0, 0, 999, kMapRows, 1);
  if (img[SERVO_SENSOR] != 0) img[SERVO_ENABLE] = 0;
  for (int axis : {RPM_ADV, RPM_ADV2, SERVO_RPM}) ClampRange(img, kAscending, axis, 0, 3, 250, kMapCols, 1);
  if (GetWord(img, Adrw::IAP_SENSOR) >= GetWord(img, Adrw::IAP_SENSOR + 2))
    SetWord(img, Adrw::IAP_SENSOR + 2, GetWord(img, Adrw::IAP_SENSOR));
  NormaliseMaps(img);
  NormaliseLobes(img);
  NormalisePowerOutputs(img);
  ClampByte(img[LIMITER], 10, 250);
  ClampByte(img[START_LIM], 10, 250);
  if (img[BASE_ADV] > 40) img[BASE_ADV] = 40;

  if (app.language && *app.language != 1 && *app.language != 2) *app.language = 0;
  if (app.configuredPort && (*app.configuredPort > 255 || *app.configuredPort < -1)) *app.configuredPort = -1;
  if (app.nextPort && (*app.nextPort > 255 || *app.nextPort < 1)) *app.nextPort = 1;
}

}  // namespace ign
