// The Sensors, Servo and Test pages, and every page in German and Czech.
#include "tests/shots/shots.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

void ServoMap(Image& img, bool percent) {
  img[Adrb::TPSIAP_SENSOR] = 1;
  img[Adrb::SERVO_SENSOR] = 0;
  img[Adrb::SERVO_ENABLE] = 1;
  img[Adrb::SERVO_MAP] = 2;
  img[Adrb::SERVO_PERCENT] = percent ? 1 : 0;
  img[Adrb::SERVO_COLUMNS] = 12;
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 0; c < kMapCols; ++c) {
      const int volts = std::min(250, 20 + 12 * c + 8 * r);
      img[size_t(Adrb::SERVO + kMapCols * r + c)] = uint8_t(percent ? (volts * 2 + 2) / 5 : volts);
    }
}

}  // namespace

int PagesIIShots(const QString& dir) {
  int failed = 0;
  failed += PageShot(dir, "sensors-tp", Page::Sensors, [](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 1;
    SetWord(img, Adrw::TPS, 480);
    SetWord(img, Adrw::TPS + 1, 4320);
  });
  failed += PageShot(dir, "sensors-iap", Page::Sensors, [](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 2;
    img[Adrb::SERVO_SENSOR] = 1;
    const uint16_t words[4] = {20, 400, 250, 4650};
    for (int i = 0; i < 4; ++i) SetWord(img, Adrw::IAP_SENSOR + i, words[i]);
  });
  failed += PageShot(dir, "servo-percent", Page::Servo, [](Image& img) { ServoMap(img, true); });
  failed += PageShot(dir, "servo-volts", Page::Servo, [](Image& img) { ServoMap(img, false); });
  failed += PageShot(dir, "test", Page::Test, [](Image&) {});

  struct Named {
    int page;
    const char* name;
  };
  constexpr Named kPages[] = {{Page::Misc, "misc"},         {Page::Bike, "bike"},
                              {Page::Sensors, "sensors"},   {Page::Advance, "advance"},
                              {Page::PowerOut, "powerout"}, {Page::Servo, "servo"},
                              {Page::Test, "test"}};
  for (const auto& [language, prefix] : {std::pair{LNG_DEUTSCH, "de"}, std::pair{LNG_CESKY, "cs"}})
    for (const Named& p : kPages) {
      const QByteArray name = QByteArray(prefix) + "-" + p.name;
      failed += PageShot(
          dir, name.constData(), p.page,
          [](Image& img) {
            img[Adrb::TPSIAP_SENSOR] = 1;
            img[Adrb::SERVO_ENABLE] = 1;
            img[Adrb::SERVO_SENSOR] = 0;
          },
          language);
    }
  return failed;
}

}  // namespace ign::shots
