// The live panel at the window's default size: every label shows its longest
// text in every language. Records with extreme and mixed values, each decoded
// as the display does, are laid on the panel and each label's text measured
// against the room it has.
#include <QApplication>
#include <QLabel>
#include <random>

#include "core/monitor/live_monitor.h"
#include "core/monitor/record.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/language.h"
#include "core/text/messages.h"
#include "form_fixture.h"
#include "ui/app/main_menu.h"
#include "ui/app/status_widgets.h"
#include "ui/monitor/live_panel.h"

namespace ign::test {
namespace {

// Records that drive the display's texts to their long forms: every byte at
// its smallest, its largest, and random mixes (negative advances, running
// pick-ups, counters in five digits, overvoltage events with times).
std::vector<std::array<uint8_t, kMonitorRecordLen>> Records() {
  std::vector<std::array<uint8_t, kMonitorRecordLen>> out;
  std::array<uint8_t, kMonitorRecordLen> r{};
  for (uint8_t fill : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0x80), uint8_t(0xFF), uint8_t(0x99)}) {
    r.fill(fill);
    out.push_back(r);
  }
  std::mt19937 random(7);
  for (int i = 0; i < 60; ++i) {
    for (auto& b : r) b = uint8_t(random());
    out.push_back(r);
  }
  // Words the unit keeps within physical bounds: the highest advances
  // (degrees) and the servo position and target (mV).
  auto bound = [](std::array<uint8_t, kMonitorRecordLen>& rec, int word, int most) {
    const int v = (rec[size_t(2 * word)] | (rec[size_t(2 * word + 1)] << 8)) % (most + 1);
    rec[size_t(2 * word)] = uint8_t(v & 0xFF);
    rec[size_t(2 * word + 1)] = uint8_t(v >> 8);
  };
  for (auto& rec : out) {
    for (int i = 0; i < 4; ++i) bound(rec, Mon::ADV_MAX + i, 155);
    bound(rec, Mon::SERVO, 5000);
    bound(rec, Mon::SERVO_TG, 5000);
  }
  return out;
}

TEST_F(FormFixture, EveryLiveLabelShowsItsLongestTextAtTheDefaultSize) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  f.show();
  QApplication::processEvents();
  auto* panel = f.findChild<TLivePanel*>("PanelMonitor");
  ASSERT_NE(panel, nullptr);
  Image edited = StartupImage();
  NormaliseImage(edited);
  std::map<std::string, std::string> clipped;  // label -> the first text that did not fit
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    SetLanguage(language);
    for (uint8_t channels : {uint8_t(1), uint8_t(4)}) {
      edited[Adrb::CHANNEL_COUNT] = channels;
      for (const auto& bytes : Records()) {
        CLiveMonitor live;
        live.SetRecord(bytes.data());
        DisplayInput in;
        in.edited = &edited;
        in.unitName = "IGNSIM_LONGNAME";
        in.unitDate = "14.12.2024";
        in.unitTime = "09:41";
        const MonitorUpdate u = live.Show(true, in);
        panel->Show(f, u.model);
        for (const auto& [name, view] : u.model.labels) {
          auto* l = panel->findChild<QLabel*>(QString::fromStdString(name));
          if (!l || !l->isVisibleTo(&f) || clipped.count(name)) continue;
          // Trailing blanks of a text are not seen; everything else must be.
          const int need = l->fontMetrics().horizontalAdvance(l->text().trimmed()) + 2 * l->margin() + 2;
          if (need > l->contentsRect().width() + 2 * l->margin())
            clipped[name] = l->text().toStdString() + " needs " + std::to_string(need) + " has " +
                            std::to_string(l->width());
        }
      }
    }
  }
  SetLanguage(LNG_ENGLISH);
  std::vector<std::string> report;
  for (const auto& [name, text] : clipped) report.push_back(name + ": " + text);
  EXPECT_EQ(report, std::vector<std::string>{}) << "window " << f.width() << "x" << f.height();
}

// The status bar at the default size: the program identification whole, the
// unit identification whole up to its bound and elided beyond it (the whole
// text in its tool tip), and room left for the hints.
TEST_F(FormFixture, StatusPanelsShowTheIdentificationsAtTheDefaultSize) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  f.show();
  const std::string usual = "IGNSIM   RSKEY=108.00    3.12.2024   09:41";
  const std::string rich =
      "240314S+IGNSIM   RSKEY=108.00   (240314-094100-00101)   (last update: 14.03.2024-09:41:00)   Owner ~ "
      "Workshop";
  auto fits = [&](const char* name) {
    auto* l = Find<QLabel>(name);
    return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width();
  };
  f.Panels().SetText(4, usual);
  QApplication::processEvents();
  EXPECT_TRUE(fits("StatusPanel2")) << Find<QLabel>("StatusPanel2")->width();
  EXPECT_TRUE(fits("StatusPanel4"));
  EXPECT_EQ(Find<QLabel>("StatusPanel4")->text().toStdString(), usual);
  EXPECT_GE(Find<QLabel>("StatusPanel0")->width(), 150);

  f.Panels().SetText(4, rich);
  QApplication::processEvents();
  auto* unit = Find<QLabel>("StatusPanel4");
  EXPECT_TRUE(fits("StatusPanel4"));
  EXPECT_TRUE(unit->text().endsWith(QChar(0x2026))) << unit->text().toStdString();
  EXPECT_EQ(unit->toolTip().toStdString(), rich);
  EXPECT_EQ(f.Panels().Text(4).toStdString(), rich);
  EXPECT_EQ(f.width(), TMainForm::kDesignWidth);
}

}  // namespace
}  // namespace ign::test
