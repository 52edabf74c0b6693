// The live display on widgets: what the core decodes is what the labels,
// gauges and buttons show, on the panel and on other parts of the window.
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

class FakeHost : public ILiveHost {
 public:
  bool LiveData() const override { return data; }
  const Image& EditedImage() const override { return image; }
  bool DeveloperMode() const override { return false; }
  void UnitTexts(std::string& unit, std::string& date, std::string& time) const override {
    unit = "ABC07";
    date = "01.02.2026";
    time = "10:20";
  }
  void AnnounceStream(const StreamAnnouncement& s) override { streams.push_back(s.type); }
  void FeedPages(const LivePoint& l, int voltage) override {
    live = l;
    loadVoltage = voltage;
  }
  void RefreshPages() override { ++refreshes; }
  void AddTestBits(int index, uint8_t bits) override { testBits.emplace_back(index, bits); }
  void CsvStopped(const std::string& why) override { csvStops.push_back(why); }

  bool data = true;
  Image image{};
  std::vector<int> streams;
  LivePoint live;
  int loadVoltage = 0;
  int refreshes = 0;
  std::vector<std::pair<int, uint8_t>> testBits;
  std::vector<std::string> csvStops;
};

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
    host_.image[Adrb::LIMITER] = 100;  // 10 000 rpm
    display_ = std::make_unique<TLiveDisplay>(window_, *panel_, host_);
  }
  QLabel* Label(const char* name) { return window_.findChild<QLabel*>(name); }
  QColor Back(const char* name) { return Label(name)->palette().color(QPalette::Window); }

  QApplication& app_ = test::App();  // before any widget
  QWidget window_;
  TLivePanel* panel_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QPushButton* testButton_ = nullptr;
  QCheckBox* propSigned_ = nullptr;
  FakeHost host_;
  std::unique_ptr<TLiveDisplay> display_;
};

TEST_F(LiveDisplayTest, EveryLabelShowsWhatTheCoreDecodes) {
  MonitorRecord& r = display_->Record();
  SetWord(r, Mon::RPM, 5000);
  SetWord(r, Mon::BATTERY, 18000);
  r.bytes[Mon::POUT_MODE] = 1;  // fuel pump
  r.bytes[Mon::POUT] = 1;       // on
  r.bytes[Mon::LIMITS] = 1 << LimitBit::LIMITER;
  r.bytes[Mon::STREAM_TYPE] = 2;
  const MonitorRecord sent = r;
  display_->Update();

  DisplayInput in;
  in.record = &sent;
  in.data = true;
  in.edited = &host_.image;
  in.unitName = "ABC07";
  in.unitDate = "01.02.2026";
  in.unitTime = "10:20";
  const DisplayModel expected = PickUp1(in, MonitorKept{});
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
  EXPECT_EQ(host_.streams, std::vector<int>{2});
  EXPECT_TRUE(host_.live.valid);
  EXPECT_EQ(host_.live.rpm, 5000);
}

TEST_F(LiveDisplayTest, WithoutDataTheRecordIsClearedAndNothingIsAnnounced) {
  SetWord(display_->Record(), Mon::RPM, 5000);
  display_->Record().bytes[Mon::STREAM_TYPE] = 1;
  host_.data = false;
  display_->Update();
  EXPECT_EQ(display_->Record().Word(Mon::RPM), 0);
  EXPECT_EQ(Label("LabelRpm")->text(), "RPM = ---");
  EXPECT_EQ(Back("LabelRpm"), QPalette().color(QPalette::Button));
  EXPECT_TRUE(host_.streams.empty());
  EXPECT_FALSE(host_.live.valid);
}

// The pages refresh when the second pick-up starts or stops, once per change.
TEST_F(LiveDisplayTest, PagesRefreshOncePerSecondPickupChange) {
  MonitorRecord& r = display_->Record();
  display_->Update();
  EXPECT_EQ(host_.refreshes, 0);
  r.bytes[Mon::PICKUP] = 1 << PickupBit::PICKUP2_RUN;
  display_->Update();
  display_->Update();
  EXPECT_EQ(host_.refreshes, 1);
  r.bytes[Mon::PICKUP] = 0;
  display_->Update();
  EXPECT_EQ(host_.refreshes, 2);
}

// The signed view of a proprietary value follows its check box.
TEST_F(LiveDisplayTest, PropValueFollowsItsSignedBox) {
  auto* prop = new QLabel(&window_);
  prop->setObjectName("LabelPropMon1");
  SetWord(display_->Record(), Mon::TEST + 5, 0xFFFF);
  display_->Update();
  EXPECT_EQ(prop->text(), "Prop1 = 65535 ");
  propSigned_->setChecked(true);
  display_->Update();
  EXPECT_EQ(prop->text(), "Prop1 = -1 ");
}

}  // namespace
}  // namespace ign
