// The live display on widgets: what the session's monitor decodes is what the
// labels, gauges and buttons show, on the panel and on other parts of the
// window. (What is decoded, logged and fed to the pages is the session's and
// tested there.)
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/monitor/colour.h"
#include "core/monitor/display.h"
#include "core/text/language.h"
#include "tests/ui/qt_app.h"
#include "ui/monitor/label_paint.h"
#include "ui/monitor/live_display.h"
#include "ui/monitor/live_panel.h"

namespace ign {
namespace {

void SetWord(MonitorRecord& r, int k, int value) {
  r.bytes[size_t(2 * k)] = uint8_t(value & 0xFF);
  r.bytes[size_t(2 * k + 1)] = uint8_t(value >> 8);
}

class LiveDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    SetLanguage(LNG_ENGLISH);
    auto* column = new QVBoxLayout(&window_);
    panel_ = new TLivePanel(&window_);
    column->addWidget(panel_);
    // Labels and buttons of the live display that lie on the pages.
    pageLabel_ = new QLabel(&window_);
    pageLabel_->setObjectName("LabelMonPOut1");
    testButton_ = new QPushButton(&window_);
    testButton_->setObjectName("ButtonTest01");
    propSigned_ = new QCheckBox(&window_);
    propSigned_->setObjectName("CheckBoxPropMon1");
    image_[Adrb::LIMITER] = 100;  // 10 000 rpm
    display_ = std::make_unique<TLiveDisplay>(window_, *panel_);
  }
  QLabel* Label(const char* name) { return window_.findChild<QLabel*>(name); }
  QColor Back(const char* name) { return Label(name)->palette().color(QPalette::Window); }

  QApplication& app_ = test::App();  // before any widget
  QWidget window_;
  TLivePanel* panel_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QPushButton* testButton_ = nullptr;
  QCheckBox* propSigned_ = nullptr;
  Image image_{};
  std::unique_ptr<TLiveDisplay> display_;
};

TEST_F(LiveDisplayTest, EveryLabelShowsWhatTheCoreDecodes) {
  MonitorRecord r;
  SetWord(r, Mon::RPM, 5000);
  SetWord(r, Mon::BATTERY, 18000);
  r.bytes[Mon::POUT_MODE] = 1;  // fuel pump
  r.bytes[Mon::POUT] = 1;       // on
  r.bytes[Mon::LIMITS] = 1 << LimitBit::LIMITER;
  r.bytes[Mon::STREAM_TYPE] = 2;
  DisplayInput in;
  in.record = &r;
  in.data = true;
  in.edited = &image_;
  in.unitName = "ABC07";
  in.unitDate = "01.02.2026";
  in.unitTime = "10:20";
  const DisplayModel expected = PickUp1(in, MonitorKept{});
  display_->Show(expected);

  for (const auto& [name, view] : expected.labels) {
    QLabel* l = Label(name.c_str());
    if (!l) continue;  // on a page this window does not have
    SCOPED_TRACE(name);
    if (view.text) {
      EXPECT_EQ(l->text().toStdString(), *view.text);
    }
    EXPECT_EQ(l->palette().color(QPalette::Window), ToQColor(view.back, QPalette()));
    EXPECT_EQ(l->isVisibleTo(&window_), view.visible);
    EXPECT_EQ(l->isEnabled(), view.enabled);
  }
  EXPECT_EQ(Label("LabelRpm")->text(), "RPM = 5000");
  EXPECT_EQ(Back("LabelRpm"), QColor(255, 0, 0));  // at the limiter
  EXPECT_EQ(Back("LabelNapeti"), QColor(255, 0, 0));
  EXPECT_EQ(Back("LabelMonPOut1"), QColor(128, 128, 0));  // the page's label, in the fuel pump's colour
  auto* gauge = window_.findChild<QProgressBar*>("CGaugeRpm");
  EXPECT_EQ(gauge->value(), expected.rpmGauge.position);
  EXPECT_EQ(gauge->maximum(), expected.rpmGauge.maximum);
  EXPECT_EQ(testButton_->text().toStdString(), expected.testCaptions[0]);
}

// The signed view of a proprietary value is read from its check box.
TEST_F(LiveDisplayTest, TheSignedOptionIsReadFromItsBox) {
  EXPECT_FALSE(display_->PropSigned()[0]);
  propSigned_->setChecked(true);
  EXPECT_TRUE(display_->PropSigned()[0]);
  EXPECT_FALSE(display_->PropSigned()[1]) << "a box the window does not have reads as unsigned";
}

}  // namespace
}  // namespace ign
