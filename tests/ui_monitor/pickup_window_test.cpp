// The pick-up monitor window: its button, the pause and the stream request,
// drawing a fed ring, the colour boxes and measuring.
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <vector>

#include "core/device/engine.h"
#include "core/monitor/pickup_sample.h"
#include "tests/ui/form_fixture.h"

namespace ign::test {
namespace {

constexpr uint32_t kCycle = 100000;  // time units (0.04 s): 1500 rpm at 360 degrees

// Synchronised samples over `cycles` cycles: pick-up 1 high for the first
// quarter of each cycle, an ignition on channel 1 at the half, pick-up 2 high
// from 3/4 to 9/10.
std::vector<uint8_t> SyntheticStream(int cycles) {
  std::vector<uint8_t> bytes;
  auto add = [&](uint32_t stamp, int state) {
    const uint32_t s = PickupSample::Make(stamp, state);
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(s >> (8 * i)));
  };
  for (int c = 0; c < cycles; ++c) {
    const uint32_t t = uint32_t(c) * kCycle;
    const int counter = c & 3;
    add(t, counter | PickupSample::kPickup1);
    add(t + kCycle / 4, counter);
    add(t + kCycle / 2, counter | 0x10);
    add(t + kCycle / 2 + 10, counter);
    add(t + kCycle * 3 / 4, counter | PickupSample::kPickup2);
    add(t + kCycle * 9 / 10, counter);
  }
  return bytes;
}

class PickupWindowTest : public FormFixture {
 protected:
  TMainForm& StartWithMonitor() {
    TMainForm& f = Start({"ignset", "nopatchcheck"});
    Find<QPushButton>("ButtonMonPu")->click();
    return f;
  }
  TFormMon& Window() { return *form_->PickupMonitor()->Form(); }
  template <typename T>
  T* InWindow(const char* name) {
    return Window().findChild<T*>(QString::fromLatin1(name));
  }
  // Feeds a stream into the ring and runs ticks up to and past the next build.
  void FeedAndBuild(uint8_t type = 1) {
    const std::vector<uint8_t> bytes = SyntheticStream(6);
    auto taken = TakeStream(type, 1, bytes.data(), bytes.size(), form_->Session().Monitor().PickupRing());
    ASSERT_TRUE(taken);
    form_->PickupMonitor()->Taken(*taken);
    Ticks(16);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) form_->Timer1Timer();
  }
  // Pixel of the drawn image, as 0xRRGGBB.
  uint32_t Pixel(int x, int y) { return Window().Image().pixel(x, y) & 0xFFFFFF; }
  // x of a position in the drawing.
  int XAt(double position) {
    const PickupCurves& c = form_->PickupMonitor()->Model().curves;
    return int(Window().originX + position * Window().width() / (c.maximum - c.minimum) * Window().zoomX);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), Window().mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&Window(), &e);
    Ticks(1);
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    Mouse(QEvent::MouseMove, Qt::LeftButton, to);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, to);
  }
  size_t Dimensions() { return form_->PickupMonitor()->Model().dimensions.Size(); }
  // The rows' zero in the drawing.
  int Row(int y) { return Window().originOffsetY + y; }
};

TEST_F(PickupWindowTest, ButtonOpensThenHidesAndShowsKeepingPositionAndEndingThePause) {
  TMainForm& f = StartWithMonitor();
  ASSERT_NE(f.PickupMonitor(), nullptr);
  TFormMon& w = Window();
  EXPECT_TRUE(f.PickupMonitor()->IsVisible());
  EXPECT_EQ(w.windowTitle(), "PickUp monitor");
  EXPECT_EQ(w.size(), QSize(800, 600));
  w.move(123, 87);
  const QPoint where = w.pos();
  auto* pause = InWindow<QPushButton>("ButtonPause");
  pause->click();
  EXPECT_EQ(pause->text(), "Continue");

  Find<QPushButton>("ButtonMonPu")->click();
  EXPECT_FALSE(f.PickupMonitor()->IsVisible());
  Find<QPushButton>("ButtonMonPu")->click();
  EXPECT_TRUE(f.PickupMonitor()->IsVisible());
  EXPECT_EQ(&Window(), &w);  // the same window, not a new one
  EXPECT_EQ(w.pos(), where);
  EXPECT_FALSE(w.Paused());
  EXPECT_EQ(pause->text(), "Pause");
}

TEST_F(PickupWindowTest, StreamRequestFollowsVisibleAndNotPaused) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  Ticks(1);
  EXPECT_FALSE(f.Engine().Machine().streamWanted);  // no monitor yet
  Find<QPushButton>("ButtonMonPu")->click();
  Ticks(1);
  EXPECT_TRUE(f.Engine().Machine().streamWanted);
  InWindow<QPushButton>("ButtonPause")->click();
  Ticks(1);
  EXPECT_FALSE(f.Engine().Machine().streamWanted);
  InWindow<QPushButton>("ButtonPause")->click();
  Ticks(1);
  EXPECT_TRUE(f.Engine().Machine().streamWanted);
  Find<QPushButton>("ButtonMonPu")->click();  // hidden
  Ticks(1);
  EXPECT_FALSE(f.Engine().Machine().streamWanted);
}

TEST_F(PickupWindowTest, PausedBuildTickResetsTheStepMaskAndKeepsThePicture) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  const size_t entries = f.PickupMonitor()->Model().curves.list.Size();
  ASSERT_GT(entries, 0u);
  InWindow<QPushButton>("ButtonPause")->click();
  f.Engine().Com().Stream().stepMask.store(7);
  FeedAndBuild();
  EXPECT_EQ(f.Engine().Com().Stream().stepMask.load(), 1);
  EXPECT_EQ(f.PickupMonitor()->Model().curves.list.Size(), entries);
}

TEST_F(PickupWindowTest, AFedRingBuildsAndDrawsTheRows) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  const PickupCurves& c = f.PickupMonitor()->Model().curves;
  ASSERT_FALSE(c.list.Empty());
  EXPECT_NEAR(c.engineSpeed, 1500.0, 1e-6);
  ASSERT_TRUE(Window().Drawn());
  // Pick-up 1 is high over the first quarter of the cycle, low after it.
  EXPECT_EQ(Pixel(XAt(45), Row(200)), 0xFFFFFFu);
  EXPECT_EQ(Pixel(XAt(135), Row(250)), 0xFFFFFFu);
  // Pick-up 2 (yellow) is high from 270 to 324 degrees.
  EXPECT_EQ(Pixel(XAt(300), Row(300)), 0xFFFF00u);
  // Rising edge of pick-up 1 at 0 in red, falling at 90 in blue.
  EXPECT_EQ(Pixel(XAt(0), Row(225)), 0xFF0000u);
  EXPECT_EQ(Pixel(XAt(90), Row(225)), 0x0000FFu);
}

// The wheel zooms about the mouse, the middle button pans, and back at zoom 1
// the picture returns to its origin.
TEST_F(PickupWindowTest, WheelZoomsAboutTheMouseAndTheMiddleButtonPans) {
  StartWithMonitor();
  FeedAndBuild();
  const int fall = XAt(90);  // pick-up 1's falling edge, drawn blue
  const int rise = XAt(0);
  ASSERT_EQ(Pixel(fall, Row(225)), 0x0000FFu);
  auto wheel = [&](int x, int delta) {
    QWheelEvent e(QPointF(x, Row(225)), Window().mapToGlobal(QPointF(x, Row(225))), {}, {0, delta},
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&Window(), &e);
    Ticks(1);
  };
  wheel(fall, 120);
  EXPECT_EQ(Window().zoomX, 2);
  EXPECT_EQ(Pixel(fall, Row(225)), 0x0000FFu) << "the edge under the mouse stays put";
  EXPECT_EQ(XAt(0), fall - 2 * (fall - rise)) << "the rest spreads out";
  EXPECT_EQ(Pixel(XAt(0), Row(225)), 0xFF0000u);

  Mouse(QEvent::MouseButtonPress, Qt::MiddleButton, {300, 100});
  Mouse(QEvent::MouseMove, Qt::MiddleButton, {340, 100});
  Mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, {340, 100});
  EXPECT_EQ(Pixel(fall + 40, Row(225)), 0x0000FFu);
  EXPECT_EQ(Dimensions(), 0u) << "panning measures nothing";

  wheel(fall, -120);
  EXPECT_EQ(Window().zoomX, 1);
  EXPECT_EQ(Pixel(fall, Row(225)), 0x0000FFu) << "zoom 1 draws from the origin again";
}

TEST_F(PickupWindowTest, ColourBoxesRecolourAndInvisibleDrawsBlack) {
  StartWithMonitor();
  FeedAndBuild();
  auto* curve1 = InWindow<QComboBox>("ComboBoxColorA1");
  EXPECT_EQ(curve1->currentText(), "White ");
  struct Case {
    const char* entry;
    uint32_t rgb;
  };
  for (const Case& c : {Case{"Lime", 0x00FF00}, Case{"Maroon", 0x800000}, Case{"(invisible)", 0x000000}}) {
    curve1->setCurrentIndex(curve1->findText(c.entry));
    Ticks(1);
    const int x = XAt(45);
    EXPECT_EQ(Pixel(x, Row(200)), c.rgb) << c.entry;
  }
  // A colour outside the list selects no entry.
  std::array<uint32_t, kPickupElements> colours{};
  colours.fill(0x123456);
  Window().SetColours(colours);
  EXPECT_EQ(curve1->currentIndex(), -1);
}

TEST_F(PickupWindowTest, TypeChangeClearsCurvesAndDimensionsAndShowsNoSynchro) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  Drag({XAt(-10), Row(225)}, {XAt(100), Row(225)});
  ASSERT_EQ(f.PickupMonitor()->Model().dimensions.Size(), 1u);
  FeedAndBuild(2);
  EXPECT_EQ(Window().mode, PickupMode::Time);
  EXPECT_EQ(f.PickupMonitor()->Model().dimensions.Size(), 0u);
  // The title on red.
  EXPECT_EQ(Pixel(2, 2), 0xFF0000u);
}

TEST_F(PickupWindowTest, DragStoresADimensionUpToTenAndRightClickOrClearRemoves) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  const CDimensionList& dims = f.PickupMonitor()->Model().dimensions;
  Drag({XAt(-5), Row(225)}, {XAt(95), Row(225)});
  ASSERT_EQ(dims.Size(), 1u);
  EXPECT_EQ(DimensionLabel(dims[0], PickupMode::Synchronised), "90.0 ");
  for (int i = 1; i < 11; ++i) Drag({XAt(-5), Row(225)}, {XAt(95), Row(225) + i * 3});
  EXPECT_EQ(dims.Size(), 10u);  // the eleventh is refused

  // A right click on the first label removes that one.
  const int y = dims[0].mouseY;
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, {(XAt(0) + XAt(90)) / 2, y - 5});
  Mouse(QEvent::MouseButtonRelease, Qt::RightButton, {(XAt(0) + XAt(90)) / 2, y - 5});
  EXPECT_EQ(dims.Size(), 9u);
  InWindow<QPushButton>("ButtonClearDim")->click();
  EXPECT_EQ(dims.Size(), 0u);
}

TEST_F(PickupWindowTest, MouseIsIgnoredWhileAColourBoxHasTheFocus) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  Window().activateWindow();
  ASSERT_TRUE(WaitFor([&] { return Window().isActiveWindow(); }, 5000));
  InWindow<QComboBox>("ComboBoxColorB2")->setFocus();
  ASSERT_TRUE(InWindow<QComboBox>("ComboBoxColorB2")->hasFocus());
  Drag({XAt(-5), Row(225)}, {XAt(95), Row(225)});
  EXPECT_EQ(f.PickupMonitor()->Model().dimensions.Size(), 0u);
}

// A colour chosen from a box's list leaves the focus with the drawing, so the
// next drag measures.
TEST_F(PickupWindowTest, AColourChosenFromTheListGivesTheMouseBack) {
  TMainForm& f = StartWithMonitor();
  FeedAndBuild();
  Window().activateWindow();
  ASSERT_TRUE(WaitFor([&] { return Window().isActiveWindow(); }, 5000));
  auto* box = InWindow<QComboBox>("ComboBoxColorC3");
  box->setFocus();
  box->showPopup();
  box->setCurrentIndex(10);
  box->hidePopup();
  EXPECT_FALSE(box->hasFocus());
  Drag({XAt(-5), Row(225)}, {XAt(95), Row(225)});
  EXPECT_EQ(f.PickupMonitor()->Model().dimensions.Size(), 1u);
}

TEST_F(PickupWindowTest, WindowNeverShrinksBelowItsMinimum) {
  StartWithMonitor();
  Window().resize(100, 50);
  EXPECT_GE(Window().width(), 300);
  EXPECT_GE(Window().height(), 200);
  Ticks(1);  // drawing at the minimum size must not fail
}

}  // namespace
}  // namespace ign::test
