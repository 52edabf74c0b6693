#include "sim/power_outputs.h"

namespace ign::sim {

std::uint8_t PowerOutputs::Update(const Image& im, int rpm, bool running) {
  using namespace adr;
  for (int k = 0; k < 2; ++k) {
    const int function = im[kPowerOutFunction + k];
    const int on = im[kPowerOutRpm + 3 * k] * 100;
    const int off = im[kPowerOutRpm + 3 * k + 1] * 100;
    const int hyst = im[kPowerOutHysteresis + k] * 10;
    const bool was = (bits_ >> k) & 1;
    bool now = false;
    switch (function) {
      case 0: now = false; break;
      case 1: now = running; break;
      case 2: now = was ? rpm >= on - hyst : rpm >= on; break;
      default:
        if (was)
          now = rpm >= on - hyst && (off <= on || rpm < off + hyst);
        else
          now = rpm >= on && (off <= on || rpm < off);
        break;
    }
    bits_ = static_cast<std::uint8_t>(now ? (bits_ | (1 << k)) : (bits_ & ~(1 << k)));
  }
  return bits_;
}

}  // namespace ign::sim
