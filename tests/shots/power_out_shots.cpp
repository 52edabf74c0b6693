// The Power out page with its output functions, and in German and Czech.
#include "tests/shots/shots.h"
#include "ui/pages/pages.h"
#include "ui/pages/power_out_maps.h"

namespace ign::shots {

namespace {

using namespace PowerOutFunction;

void Functions(Image& img, int sensor, int first, int second) {
  img[Adrb::TPSIAP_SENSOR] = uint8_t(sensor);
  img[Adrb::POWER_OUT_FUNCTION] = uint8_t(first);
  img[Adrb::POWER_OUT_FUNCTION + 1] = uint8_t(second);
}

// A PWM map that rises with rpm and load.
void RisingPwm(Image& img, int output, int base) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 6; ++c)
      img[size_t(Adrb::POWER_OUT_PWM + 24 * output + 6 * r + c)] = uint8_t(base + 10 * r + 5 * c);
}

}  // namespace

int PowerOutShots(const QString& dir) {
  int failed = 0;
  failed += PageShot(dir, "power-out-fuelpump-shiftlight", Page::PowerOut,
                     [](Image& img) { Functions(img, 1, kFuelPump, kShiftLight); });
  failed += PageShot(dir, "power-out-special-pwm", Page::PowerOut, [](Image& img) {
    Functions(img, 1, kSpecialPwm, kSpecial);
    RisingPwm(img, 0, 20);
    img[Adrb::POWER_OUT_MASK + 3] = 0b0110;
    img[Adrb::POWER_OUT_MASK + 4] = 0b1100;
    img[Adrb::POWER_OUT_MASK + 5] = 0b1000;
  });
  failed += PageShot(dir, "power-out-special-pulse", Page::PowerOut, [](Image& img) {
    Functions(img, 2, kSpecialPulse, kSpecialPwm);
    img[Adrb::POWER_OUT_SPULSE] = 20;
    RisingPwm(img, 0, 4);
    RisingPwm(img, 1, 10);
  });
  failed += PageShot(
      dir, "power-out-german", Page::PowerOut, [](Image& img) { Functions(img, 1, kSpecial, kSpecialPulse); },
      LNG_DEUTSCH);
  failed += PageShot(
      dir, "power-out-czech", Page::PowerOut, [](Image& img) { Functions(img, 2, kShiftLight, kSpecialPwm); },
      LNG_CESKY);
  return failed;
}

}  // namespace ign::shots
