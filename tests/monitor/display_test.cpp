// The display update of the engine values: rpm, load, voltage, advance, the
// live point and kept values, the version, and the colour mapping.
#include "core/monitor/colour.h"
#include "core/monitor/version.h"
#include "monitor_fixture.h"

namespace ign::test {
namespace {

TEST_F(MonitorDisplay, RpmIsRedOnTheLimiterAndTheGaugeIsPercentOfTheLimiter) {
  image[Adrb::LIMITER] = 80;  // 8000 rpm
  DisplayModel m = Decode(RecordBuilder().Word(Mon::RPM, 4000));
  EXPECT_EQ(m.Text("LabelRpm"), "RPM = 4000");
  EXPECT_EQ(m.Label("LabelRpm").back, MonColour::Normal);
  EXPECT_EQ(m.rpmGauge.position, 50);
  m = Decode(RecordBuilder().Word(Mon::RPM, 8100).Bit(Mon::LIMITS, LimitBit::LIMITER));
  EXPECT_EQ(m.Label("LabelRpm").back, MonColour::Red);
  EXPECT_EQ(m.rpmGauge.position, 100);  // never past the end
  image[Adrb::LIMITER] = 0;             // no limiter: per cent of 10000 rpm
  EXPECT_EQ(Decode(RecordBuilder().Word(Mon::RPM, 2500)).rpmGauge.position, 25);
}

TEST_F(MonitorDisplay, SupplyVoltageColourAtTheWindowEdges) {
  const struct {
    int mv;
    const char* text;
    uint32_t colour;
  } cases[] = {
      {7000, "U = 7.0 [V]", MonColour::Red},      {7001, "U = 7.0 [V]", MonColour::Yellow},
      {11000, "U = 11.0 [V]", MonColour::Yellow}, {11001, "U = 11.0 [V]", MonColour::Normal},
      {12000, "U = 12.0 [V]", MonColour::Normal}, {14998, "U = 15.0 [V]", MonColour::Normal},
      {14999, "U = 15.0 [V]", MonColour::Yellow}, {17998, "U = 18.0 [V]", MonColour::Yellow},
      {17999, "U = 18.0 [V]", MonColour::Red},    {18000, "U = 18.0 [V]", MonColour::Red},
      {0, "U = 0.0 [V]", MonColour::Red},         {65535, "U = 65.5 [V]", MonColour::Red},
  };
  for (const auto& c : cases) {
    DisplayModel m = Decode(RecordBuilder().Word(Mon::BATTERY, c.mv));
    EXPECT_EQ(m.Text("LabelNapeti"), c.text) << c.mv;
    EXPECT_EQ(m.Label("LabelNapeti").back, c.colour) << c.mv;
  }
}

TEST_F(MonitorDisplay, LoadLabelAndGaugeBySensorType) {
  const struct {
    int type, load, mv;
    int errors;
    const char* text;
    uint32_t back;
    int position, maximum;
    uint32_t gauge;
    bool enabled;
  } cases[] = {
      {1, 42, 1800, 0, "TP= 42 [%]= 1800 [mV]", MonColour::Normal, 42, 100, MonColour::Desktop, true},
      {1, 42, 1800, 1 << ErrorBit::TPS_ERR, "TP=error = 1800 [mV]", MonColour::Red, 0, 100,
       MonColour::Desktop, true},
      {0, 100, 0, 0, "TP= 100 [%]= 0 [mV]", MonColour::Normal, 100, 100, MonColour::Grey, false},
      // No sensor and a load above 100 % (1000 in 0.1 %): an error.
      {0, 101, 0, 0, "TP=error = 0 [mV]", MonColour::Red, 0, 100, MonColour::Grey, false},
      {2, 95, 3100, 0, "IAP= 95 [kPa]= 3100 [mV]", MonColour::Normal, 95, 300, MonColour::Purple, true},
      {2, 95, 3100, 1 << ErrorBit::IAP_ERR, "IAP=error = 3100 [mV]", MonColour::Red, 0, 300,
       MonColour::Purple, true},
      {7, 95, 3100, 0, "IAP= 95 [kPa]= 3100 [mV]", MonColour::Normal, 95, 300, MonColour::Purple, true},
  };
  for (const auto& c : cases) {
    DisplayModel m = Decode(RecordBuilder()
                                .Byte(Mon::SENSOR, c.type)
                                .Word(Mon::TPSIAP, c.load)
                                .Word(Mon::TPS, c.mv)
                                .Byte(Mon::ERRORS, c.errors));
    EXPECT_EQ(m.Text("LabelTpsMon"), c.text) << c.type << " " << c.errors;
    EXPECT_EQ(m.Label("LabelTpsMon").back, c.back) << c.text;
    EXPECT_EQ(m.Label("LabelTpsMon").enabled, c.enabled) << c.text;
    EXPECT_EQ(m.tpsGauge, (GaugeModel{c.position, c.maximum, c.gauge})) << c.text;
  }
}

TEST_F(MonitorDisplay, LoadWithoutDataFollowsTheEditedImage) {
  const struct {
    int sensor;
    const char* text;
    uint32_t gauge;
    int maximum;
    bool enabled;
  } cases[] = {{0, "TP= ---", MonColour::Grey, 100, false},
               {1, "TP= ---", MonColour::Desktop, 100, true},
               {2, "IAP= ---", MonColour::Purple, 300, true}};
  for (const auto& c : cases) {
    image[Adrb::TPSIAP_SENSOR] = uint8_t(c.sensor);
    DisplayModel m = Decode(RecordBuilder().Byte(Mon::SENSOR, 1).Word(Mon::TPSIAP, 50), false);
    EXPECT_EQ(m.Text("LabelTpsMon"), c.text);
    EXPECT_EQ(m.Label("LabelTpsMon").back, MonColour::Normal);
    EXPECT_EQ(m.Label("LabelTpsMon").enabled, c.enabled);
    EXPECT_EQ(m.tpsGauge, (GaugeModel{0, c.maximum, c.gauge}));
  }
}

TEST_F(MonitorDisplay, AdvanceLabelsBaseNumbersMaximaAndChannels) {
  RecordBuilder b;
  b.Byte(Mon::CHANNELS, 3)
      .Byte(Mon::ADV, 0)
      .Byte(Mon::ADV + 1, 0)
      .Byte(Mon::ADV + 2, 130)
      .Byte(Mon::ADV + 3, 90);
  b.Word(Mon::ADV_MAX, 0).Word(Mon::ADV_MAX + 1, 35).Word(Mon::ADV_MAX + 2, 30).Word(Mon::ADV_MAX + 3, 0);
  DisplayModel m = Decode(b);
  EXPECT_EQ(m.Text("LabelAdvance1"), "Advance = Base");
  EXPECT_EQ(m.Text("LabelAdvance2"), "Advance = Base/max 35 [°]");
  EXPECT_EQ(m.Text("LabelAdvance3"), "Advance 3 = 30 [°] /max 30 [°]");
  EXPECT_EQ(m.Text("LabelAdvance4"), "Advance 4 = -10 [°]");
  EXPECT_EQ(m.Label("LabelAdvance2").back, MonColour::Normal);  // base is never at its maximum
  EXPECT_EQ(m.Label("LabelAdvance3").back, MonColour::Yellow);  // at the maximum
  EXPECT_TRUE(m.Label("LabelAdvance3").visible);
  EXPECT_FALSE(m.Label("LabelAdvance4").visible);  // three channels
  EXPECT_FALSE(m.Label("LabelDwell").visible);
  EXPECT_FALSE(m.Label("LabelDwellCalibError").visible);

  image[Adrb::CHANNEL_COUNT] = 2;
  m = Decode(b, false);
  EXPECT_EQ(m.Text("LabelAdvance1"), "Advance 1 = --- [°]");
  EXPECT_TRUE(m.Label("LabelAdvance2").visible);
  EXPECT_FALSE(m.Label("LabelAdvance3").visible);
}

TEST_F(MonitorDisplay, LivePointAndKeptValues) {
  RecordBuilder b;
  b.Byte(Mon::BIKE, 7).Word(Mon::RPM, 5400).Word(Mon::TPSIAP, 37).Word(Mon::TPS, 2100).Word(Mon::SAVING, 12);
  b.Byte(Mon::SENSOR, 1).Bit(Mon::INPUTS, InputBit::SECOND_ADV);
  DisplayModel m = Decode(b);
  EXPECT_TRUE(m.live.valid);
  EXPECT_EQ(m.live.rpm, 5400);
  EXPECT_EQ(m.live.throttle, 37);
  EXPECT_EQ(m.live.pressure, -1);
  EXPECT_EQ(m.live.status, 1u);
  EXPECT_EQ(m.kept.unitBike, 7);
  EXPECT_EQ(m.kept.throttleLoad, 370);
  EXPECT_EQ(m.kept.loadVoltage, 2100);
  EXPECT_EQ(m.kept.savingCount, 12);

  // A pressure sensor: throttle 100, the pressure and 0x30 in the status.
  b.Byte(Mon::SENSOR, 2).Byte(Mon::INPUTS, 0).Word(Mon::TPSIAP, 88);
  m = Decode(b);
  EXPECT_EQ(m.live.throttle, 100);
  EXPECT_EQ(m.live.pressure, 88);
  EXPECT_EQ(m.live.status, 0x30u);
  EXPECT_EQ(m.kept.throttleLoad, -1);
  EXPECT_EQ(m.kept.pressure, 88);
  // No sensor: the throttle is 100 too.
  EXPECT_EQ(Decode(RecordBuilder().Byte(Mon::SENSOR, 0).Word(Mon::TPSIAP, 20)).live.throttle, 100);
  EXPECT_FALSE(Decode(b, false).live.valid);
}

TEST_F(MonitorDisplay, StreamAnnouncementAndPageRefreshOnPickup2Change) {
  RecordBuilder b;
  b.Byte(Mon::STREAM_TYPE, 2)
      .Word(Mon::STREAM_LEN, 3000)
      .Byte(Mon::STREAM_XOR, 0x5A)
      .Byte(Mon::STREAM_SUM, 0xA5);
  b.Byte(Mon::STREAM_FURTHER, 3).Bit(Mon::PICKUP, PickupBit::PICKUP2_RUN);
  DisplayModel m = Decode(b);
  EXPECT_EQ(m.stream.type, 2);
  EXPECT_EQ(m.stream.length, 3000);
  EXPECT_EQ(m.stream.xorCheck, 0x5A);
  EXPECT_EQ(m.stream.sumCheck, 0xA5);
  EXPECT_EQ(m.stream.further, 3);
  EXPECT_TRUE(m.refreshPages);
  kept = m.kept;
  EXPECT_FALSE(Decode(b).refreshPages);
  EXPECT_TRUE(Decode(b, false).refreshPages);  // without data the record is clear
}

TEST(MonitorVersion, StateAndTextByKeyAndSubversion) {
  SetLanguage(LNG_ENGLISH);
  FillMessages();
  EXPECT_EQ(VersionOfRecord(108, 0).state, 2);
  EXPECT_EQ(VersionOfRecord(108, 0).text, "RSKEY=108.00");
  EXPECT_EQ(VersionOfRecord(108, 1).state, 1);
  EXPECT_EQ(VersionOfRecord(108, 1).text,
            "Unmatched subversion of PC and Ignition programs!  PC-108.00, IGN-108.01");
  EXPECT_EQ(VersionOfRecord(109, 0).state, 1);
  EXPECT_EQ(VersionOfRecord(109, 0).text,
            "Unmatched version of PC and Ignition programs!  PC-108.00, IGN-109.00");
}

TEST(MonitorColour, WindowsValuesAndSystemColours) {
  using R = PaintColour::Role;
  EXPECT_EQ(ToPaintColour(MonColour::Red), (PaintColour{R::Rgb, 255, 0, 0}));
  EXPECT_EQ(ToPaintColour(MonColour::Aqua), (PaintColour{R::Rgb, 0, 255, 255}));
  EXPECT_EQ(ToPaintColour(MonColour::Fuchsia), (PaintColour{R::Rgb, 255, 0, 255}));
  EXPECT_EQ(ToPaintColour(MonColour::Olive), (PaintColour{R::Rgb, 128, 128, 0}));
  EXPECT_EQ(ToPaintColour(MonColour::Yellow), (PaintColour{R::Rgb, 255, 255, 0}));
  EXPECT_EQ(ToPaintColour(MonColour::Normal).role, R::ButtonFace);
  EXPECT_EQ(ToPaintColour(MonColour::Desktop).role, R::Highlight);
}

}  // namespace
}  // namespace ign::test
