// The pick-up monitor against the simulated unit: the stream request follows
// the window, the title's engine speed, a switch of the stream type, and
// damaged streams slowing the steps.
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>
#include <fstream>
#include <sstream>

#include "core/device/engine.h"
#include "core/monitor/pickup_sample.h"
#include "tests/ui_monitor/sim_window_fixture.h"

namespace ign::test {
namespace {

class PickupE2eTest : public SimWindowFixture {
 protected:
  TMainForm& Connect(std::vector<std::string> extra) {
    extra.insert(extra.end(), {"--command-log", CommandLog()});
    return SimWindowFixture::Connect(std::move(extra));
  }
  std::string CommandLog() const { return dir_.File("commands.log"); }

  // Byte 23 of every monitor request the unit received, in order.
  std::vector<std::string> StreamRequests() const {
    std::ifstream in(CommandLog());
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
      const auto at = line.find(" 23=");
      if (at != std::string::npos) out.push_back(line.substr(at + 4, 2));
    }
    return out;
  }
  // Waits until `count` requests in a row after the ones seen now carry `value`.
  bool RequestsSettleOn(const std::string& value, size_t count = 3) {
    const size_t from = StreamRequests().size();
    return WaitFor(
        [&] {
          const auto all = StreamRequests();
          if (all.size() < from + count) return false;
          for (size_t i = all.size() - count; i < all.size(); ++i)
            if (all[i] != value) return false;
          return true;
        },
        20000);
  }
  CMonPickup& Monitor() { return *form_->PickupMonitor(); }
  bool HasCurves() { return form_->PickupMonitor() && !Monitor().Model().curves.list.Empty(); }
  void ClickMonitorButton() { Find<QPushButton>("ButtonMonPu")->click(); }
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    TFormMon& w = *Monitor().Form();
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
  }
};

TEST_F(PickupE2eTest, RequestsAskForStreamsExactlyWhileTheWindowShowsAndRuns) {
  TMainForm& f = Connect({"--pin-rpm", "3000", "--pin-advance", "20"});
  ASSERT_TRUE(RequestsSettleOn("00")) << "no window, no streams";
  ClickMonitorButton();
  ASSERT_TRUE(RequestsSettleOn("01"));
  ASSERT_TRUE(WaitFor([&] { return HasCurves() && Monitor().Model().curves.engineSpeed > 0; }, 20000));
  EXPECT_TRUE(Monitor().Form()->Drawn());
  // The title's engine speed is the one the unit runs at.
  EXPECT_NEAR(Monitor().Model().curves.engineSpeed, 3000, 3000 * 0.005);
  // The sparks of the twin fall 20 degrees before each top dead centre (every 180 degrees).
  int sparks = 0;
  for (const CurveEntry& e : Monitor().Model().curves.list) {
    if (!PickupSample::IsIgnition(e.state)) continue;
    ++sparks;
    const double offset = std::fmod(e.position + 20 + 720, 180.0);
    EXPECT_LT(std::min(offset, 180 - offset), 1.0) << "spark at " << e.position;
  }
  EXPECT_GE(sparks, 4);

  ClickMonitorButton();  // hidden
  EXPECT_TRUE(RequestsSettleOn("00"));
  ClickMonitorButton();  // shown again
  EXPECT_TRUE(RequestsSettleOn("01"));
  Monitor().Form()->findChild<QPushButton*>("ButtonPause")->click();
  EXPECT_TRUE(RequestsSettleOn("00"));
  EXPECT_EQ(f.Engine().Com().StepMask(), 1);
}

TEST_F(PickupE2eTest, AStreamTypeSwitchClearsCurvesAndDimensionsAndShowsNoSynchroOnRed) {
  Connect({"--pin-rpm", "3000", "--stream-type", "1", "--stream-switch-after", "12"});
  ClickMonitorButton();
  ASSERT_TRUE(WaitFor([&] { return HasCurves(); }, 20000));
  ASSERT_EQ(Monitor().Form()->mode, PickupMode::Synchronised);
  // A dimension over pick-up 1's row, across the middle of the picture.
  const int y = Monitor().Form()->originOffsetY + 210;
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPoint(200, y));
  Mouse(QEvent::MouseMove, Qt::LeftButton, QPoint(600, y));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(600, y));
  ASSERT_EQ(Monitor().Model().dimensions.Size(), 1u);
  ASSERT_EQ(Monitor().Form()->mode, PickupMode::Synchronised) << "the switch came before the measuring";

  ASSERT_TRUE(WaitFor([&] { return Monitor().Form()->mode == PickupMode::Time; }, 30000));
  ASSERT_TRUE(WaitFor([&] { return HasCurves() && Monitor().Form()->Drawn(); }, 20000));
  EXPECT_EQ(Monitor().Model().dimensions.Size(), 0u);
  EXPECT_EQ(Monitor().Model().curves.engineSpeed, 0);
  // Positions are milliseconds now: within the range, which starts at 0.
  for (const CurveEntry& e : Monitor().Model().curves.list) {
    EXPECT_GE(e.position, Monitor().Model().curves.minimum);
    EXPECT_LE(e.position, Monitor().Model().curves.maximum);
  }
  // The title lies on red.
  EXPECT_EQ(Monitor().Form()->Image().pixel(2, 2) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(PickupE2eTest, DamagedStreamsSlowTheStepsKeepThePictureAndPausingRestoresThem) {
  TMainForm& f = Connect({"--pin-rpm", "3000", "--corrupt-stream-every", "3"});
  ClickMonitorButton();
  ASSERT_TRUE(WaitFor([&] { return HasCurves(); }, 20000));
  bool lostPicture = false;
  std::vector<int> masks{f.Engine().Com().StepMask()};
  const bool slowed = WaitFor(
      [&] {
        lostPicture |= !HasCurves();
        const int mask = f.Engine().Com().StepMask();
        if (mask != masks.back()) masks.push_back(mask);
        return mask == 7;
      },
      30000);
  ASSERT_TRUE(slowed) << "step mask stayed at " << masks.back();
  EXPECT_EQ(masks, (std::vector<int>{1, 3, 7}));
  EXPECT_FALSE(lostPicture) << "a damaged stream must not clear the picture";

  Monitor().Form()->findChild<QPushButton*>("ButtonPause")->click();
  EXPECT_TRUE(WaitFor([&] { return f.Engine().Com().StepMask() == 1; }, 5000));
  EXPECT_TRUE(HasCurves());
}

}  // namespace
}  // namespace ign::test
