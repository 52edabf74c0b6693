// Offsets of the settings block the simulated unit works with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ign::sim {

using Image = std::array<std::uint8_t, 1050>;

namespace adr {
// Word area: word index n occupies bytes 2n and 2n + 1.
inline constexpr int kTpsWord = 0;        // 2 words: mV at 0 % and at 100 %
inline constexpr int kIapSensorWord = 2;  // kPa1, mV1, kPa2, mV2
inline constexpr int kAdvIapWord = 6;     // 10 load rows of advance map 1
inline constexpr int kAdv2IapWord = 16;   // 10 load rows of advance map 2
inline constexpr int kServoIapWord = 26;
inline constexpr int kPowerOutTpWord = 36;  // 2 per output
inline constexpr int kPowerOutPwmTpWord = 44;
inline constexpr int kProprietaryWord = 61;  // 5 signed words

// Byte area.
inline constexpr int kBike = 140;
inline constexpr int kPickup1Polarity = 142;
inline constexpr int kPickup2Polarity = 143;
inline constexpr int kRevWithoutIgnition = 150;
inline constexpr int kCompensation = 151;
inline constexpr int kRpmPulses = 152;
inline constexpr int kRpmCorrection = 153;
inline constexpr int kPickupSystem = 154;
inline constexpr int kLobeCount = 155;
inline constexpr int kChannelCount = 156;
inline constexpr int kGeberMode = 157;
inline constexpr int kPickup1Lobes = 158;
inline constexpr int kPickup2Lobes = 162;
inline constexpr int kFourStroke = 166;
inline constexpr int kLimiter = 172;   // x100 rpm
inline constexpr int kStartLim = 173;  // x100 rpm
inline constexpr int kClutchPause = 176;
inline constexpr int kClutchTime = 177;
inline constexpr int kRetard = 178;         // degrees
inline constexpr int kDwell = 180;          // x100 us
inline constexpr int kTpsIapSensor = 186;   // 0 none, 1 throttle, 2 pressure
inline constexpr int kInputFunction = 189;  // 6 inputs
inline constexpr int kInputInvert = 195;
inline constexpr int kBaseAdv = 203;
inline constexpr int kAdvMap = 204;
inline constexpr int kAdv2Map = 205;
inline constexpr int kAdvColumns = 206;
inline constexpr int kAdv2Columns = 207;
inline constexpr int kCorrAdvance = 208;  // 4 cylinders, offset -100
inline constexpr int kPowerOutFunction = 214;
inline constexpr int kPowerOutRpm = 218;         // 3 per output, x100 rpm
inline constexpr int kPowerOutHysteresis = 230;  // x10 rpm
inline constexpr int kPowerOutSpwmFr = 234;
inline constexpr int kPowerOutSpPwm = 238;
inline constexpr int kPowerOutSpulse = 242;
inline constexpr int kPowerOutMask = 246;
inline constexpr int kPowerOutPwmRpm = 258;
inline constexpr int kServoEnable = 378;
inline constexpr int kServoPercent = 379;
inline constexpr int kServoColumns = 381;
inline constexpr int kServoHyster = 382;
inline constexpr int kTestSet = 386;  // test rpm x100, servo test time
inline constexpr int kMaxLobeLen = 402;

// Table area.
inline constexpr int kServoRpm = 555;
inline constexpr int kRpmAdv = 570;
inline constexpr int kRpmAdv2 = 585;
inline constexpr int kAdvance = 600;  // 10 x 15, degrees + 100
inline constexpr int kServo = 750;
inline constexpr int kAdvance2 = 900;
inline constexpr int kMapColumns = 15;
inline constexpr int kMapRows = 10;
}  // namespace adr

inline int Word(const Image& im, int index) { return im[2 * index] | (im[2 * index + 1] << 8); }
inline void SetWord(Image& im, int index, int v) {
  im[2 * index] = static_cast<std::uint8_t>(v & 0xFF);
  im[2 * index + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

}  // namespace ign::sim
