#include "sim/default_image.h"

namespace ign::sim {

Image DefaultImage() {
  using namespace adr;
  Image im{};
  SetWord(im, kTpsWord, 700);
  SetWord(im, kTpsWord + 1, 3790);
  const int iap[4] = {55, 2305, 105, 3756};
  for (int i = 0; i < 4; ++i) SetWord(im, kIapSensorWord + i, iap[i]);
  const int loads[10] = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};
  for (int i = 0; i < 10; ++i) {
    SetWord(im, kAdvIapWord + i, loads[i]);
    SetWord(im, kAdv2IapWord + i, loads[i]);
    SetWord(im, kServoIapWord + i, loads[i]);
  }
  SetWord(im, kPowerOutTpWord + 0, 75);
  SetWord(im, kPowerOutTpWord + 1, 90);
  SetWord(im, kPowerOutTpWord + 2, 75);
  SetWord(im, kPowerOutTpWord + 3, 90);
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 4; ++i) SetWord(im, kPowerOutPwmTpWord + 4 * k + i, 20 * (i + 1));

  im[kBike] = 20;
  im[kPickup1Polarity] = 2;
  im[kPickup2Polarity] = 2;
  im[kCompensation] = 6;
  im[kRpmPulses] = 2;
  im[kRpmCorrection] = 100;
  im[kPickupSystem] = 1;
  im[kLobeCount] = 5;
  im[kChannelCount] = 2;
  im[kGeberMode] = 1;
  im[kPickup1Lobes + 0] = 65;
  im[kPickup1Lobes + 1] = 67;
  im[kPickup2Lobes + 0] = 66;
  im[kPickup2Lobes + 1] = 68;
  // Channels 3 and 4 are unused on this bike; a sound image holds lobe 1 there.
  for (int ch = 2; ch < 4; ++ch) im[kPickup1Lobes + ch] = im[kPickup2Lobes + ch] = 1;
  im[kLimiter] = 110;
  im[kStartLim] = 100;
  im[kClutchTime] = 20;
  im[kClutchPause] = 50;
  im[kRetard] = 6;
  im[kTpsIapSensor] = 1;
  im[kInputFunction + 0] = 2;
  im[kBaseAdv] = 10;
  im[kAdvMap] = 1;
  im[kAdv2Map] = 0;
  im[kAdvColumns] = 15;
  im[kAdv2Columns] = 15;
  for (int c = 0; c < 4; ++c) im[kCorrAdvance + c] = 100;

  im[kPowerOutFunction + 0] = 1;  // fuel pump
  im[kPowerOutFunction + 1] = 2;  // gear shift light
  const int rpm1[3] = {40, 125, 140}, rpm2[3] = {90, 95, 140};
  for (int i = 0; i < 3; ++i) {
    im[kPowerOutRpm + i] = static_cast<std::uint8_t>(rpm1[i]);
    im[kPowerOutRpm + 3 + i] = static_cast<std::uint8_t>(rpm2[i]);
    im[kPowerOutMask + i] = 2;
    im[kPowerOutMask + 3 + i] = (i == 0) ? 12 : 14;
  }
  for (int k = 0; k < 2; ++k) {
    im[kPowerOutHysteresis + k] = 10;
    im[kPowerOutSpwmFr + k] = 10;
    im[kPowerOutSpPwm + k] = 100;
    im[kPowerOutSpulse + k] = 20;
    for (int i = 0; i < 6; ++i) im[kPowerOutPwmRpm + 6 * k + i] = static_cast<std::uint8_t>(20 * (i + 1));
  }
  im[kServoColumns] = 15;
  im[kServoHyster] = 20;
  im[kTestSet] = 50;
  im[kTestSet + 1] = 50;
  im[kMaxLobeLen] = 250;

  const int servoRpm[15] = {10, 20, 30, 40, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
  const int servoMv[15] = {2000, 2100, 2200, 2300, 2400, 2450, 2500, 2550,
                           2600, 2650, 2700, 2750, 2800, 2850, 2900};
  const int advRpm[15] = {15, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100, 110, 120, 140};
  const int advDeg[15] = {8, 8, 8, 12, 20, 23, 28, 33, 35, 35, 35, 35, 35, 35, 35};
  for (int c = 0; c < kMapColumns; ++c) {
    im[kServoRpm + c] = static_cast<std::uint8_t>(servoRpm[c]);
    im[kRpmAdv + c] = static_cast<std::uint8_t>(advRpm[c]);
    im[kRpmAdv2 + c] = static_cast<std::uint8_t>(advRpm[c]);
    for (int r = 0; r < kMapRows; ++r) {
      // Map 1 takes a little advance away at high load, as a real curve would.
      const int loadTrim = r >= 7 ? (r - 6) : 0;
      im[kAdvance + 15 * r + c] = static_cast<std::uint8_t>(advDeg[c] - loadTrim + 100);
      im[kAdvance2 + 15 * r + c] = static_cast<std::uint8_t>(advDeg[c] + 100);
      im[kServo + 15 * r + c] = static_cast<std::uint8_t>(servoMv[c] / 20);
    }
  }
  return im;
}

}  // namespace ign::sim
