// The display update of the state labels: pick-ups, inputs, limiters, servo,
// power outputs, counters, and every label's form without data.
#include "monitor_fixture.h"

namespace ign::test {
namespace {

TEST_F(MonitorDisplay, PickupLabelsPolarityAndSynchronisation) {
  const std::string error = std::string(", Pick up system error") + std::string(20, ' ');
  const struct {
    int bits;  // byte 140
    std::string first;
    uint32_t colour1;
    std::string second;
    uint32_t colour2;
  } cases[] = {
      {0x01, "Pick-up (CKPS) 1 = is running, positive polarity", MonColour::Green,
       "Pick-up (CKPS) 2 = no signal, positive polarity", MonColour::Normal},
      {0x03 | 0x30, "Pick-up (CKPS) 1 = is running, negative polarity", MonColour::Green,
       "Pick-up (CKPS) 2 = is running, negative polarity", MonColour::Green},
      {0x01 | 0x04, "Pick-up (CKPS) 1 = is running, positive polarity" + error, MonColour::Red,
       "Pick-up (CKPS) 2 = no signal, positive polarity", MonColour::Normal},
      {0x02 | 0x08, "Pick-up (CKPS) 1 = no signal, positive polarity", MonColour::Normal,
       "Pick-up (CKPS) 2 = is running, positive polarity" + error, MonColour::Red},
      // A polarity error replaces the polarity and the synchronisation error.
      {0x01 | 0x04 | 0x40, "Pick-up (CKPS) 1 = is running, polarity error", MonColour::Red,
       "Pick-up (CKPS) 2 = no signal, positive polarity", MonColour::Normal},
      {0x80 | 0x20, "Pick-up (CKPS) 1 = no signal, positive polarity", MonColour::Normal,
       "Pick-up (CKPS) 2 = no signal, polarity error", MonColour::Red},
  };
  for (const auto& c : cases) {
    DisplayModel m = Decode(RecordBuilder().Byte(Mon::PICKUP, c.bits));
    EXPECT_EQ(m.Text("LabelMonSnimac1"), c.first) << c.bits;
    EXPECT_EQ(m.Label("LabelMonSnimac1").back, c.colour1) << c.bits;
    EXPECT_EQ(m.Text("LabelMonSnimac2"), c.second) << c.bits;
    EXPECT_EQ(m.Label("LabelMonSnimac2").back, c.colour2) << c.bits;
    EXPECT_EQ(m.kept.pickup1Ok, c.colour1 == MonColour::Green) << c.bits;
    EXPECT_EQ(m.kept.pickup2Ok, c.colour2 == MonColour::Green) << c.bits;
  }
  EXPECT_EQ(Decode(RecordBuilder(), false).Text("LabelMonSnimac1"), "Pick-up (CKPS) 1 =  ---");
}

TEST_F(MonitorDisplay, SecondPickupVisibleOnlyForSystemsWithOne) {
  for (int system = 0; system < 256; ++system) {
    const bool expected = system == 0 || system == 4 || system == 6 || system == 9 || system == 11 ||
                          system == 12 || system == 14 || system == 17 || system == 18;
    EXPECT_EQ(Decode(RecordBuilder().Byte(Mon::SYNCHRO, system)).Label("LabelMonSnimac2").visible, expected)
        << system;
  }
  image[Adrb::PICKUP_SYSTEM] = 5;  // without data the edited image decides
  EXPECT_FALSE(Decode(RecordBuilder().Byte(Mon::SYNCHRO, 4), false).Label("LabelMonSnimac2").visible);
  image[Adrb::PICKUP_SYSTEM] = 17;
  EXPECT_TRUE(Decode(RecordBuilder().Byte(Mon::SYNCHRO, 5), false).Label("LabelMonSnimac2").visible);
}

TEST_F(MonitorDisplay, InputFunctionLabels) {
  const struct {
    const char* label;
    int bit;
    const char* set;
    uint32_t colour;
    const char* clear;
  } cases[] = {
      {"LabelKillSwitch", 0, "Kill switch = YES", MonColour::Red, "Kill switch = NO"},
      {"LabelBlocking", 1, "Blocking = YES", MonColour::Red, "Blocking = NO"},
      {"LabelClutchMon", 2, "Quickshift = YES", MonColour::Green, "Quickshift = NO"},
      {"LabelMonRetard", 3, "Retard = YES", MonColour::Aqua, "Retard = NO"},
      {"Label2ndAdv", 5, "2nd advance chart = YES", MonColour::Green, "2nd advance chart = NO"},
  };
  for (const auto& c : cases) {
    DisplayModel on = Decode(RecordBuilder().Bit(Mon::INPUTS_EN, c.bit).Bit(Mon::INPUTS, c.bit));
    EXPECT_EQ(on.Text(c.label), c.set);
    EXPECT_EQ(on.Label(c.label).back, c.colour);
    EXPECT_TRUE(on.Label(c.label).enabled);
    DisplayModel off = Decode(RecordBuilder().Bit(Mon::INPUTS_EN, c.bit));
    EXPECT_EQ(off.Text(c.label), c.clear);
    EXPECT_EQ(off.Label(c.label).back, MonColour::Normal);
    DisplayModel unconfigured = Decode(RecordBuilder().Bit(Mon::INPUTS, c.bit));
    EXPECT_EQ(unconfigured.Text(c.label),
              std::string(c.set).substr(0, std::string(c.set).find('=')) + "= ---");
    EXPECT_FALSE(unconfigured.Label(c.label).enabled);
    EXPECT_EQ(unconfigured.Label(c.label).back, MonColour::Normal);
  }
  // Tacho-lambda is inverted: the bit set reads NO.
  DisplayModel set = Decode(RecordBuilder().Bit(Mon::INPUTS_EN, 6).Bit(Mon::INPUTS, 6));
  EXPECT_EQ(set.Text("LabelMonTachoLambdaOut"), "Tacho Lambda = NO");
  EXPECT_EQ(set.Label("LabelMonTachoLambdaOut").back, MonColour::Normal);
  DisplayModel clear = Decode(RecordBuilder().Bit(Mon::INPUTS_EN, 6));
  EXPECT_EQ(clear.Text("LabelMonTachoLambdaOut"), "Tacho Lambda = YES");
  EXPECT_EQ(clear.Label("LabelMonTachoLambdaOut").back, MonColour::Aqua);

  // Without data the input functions of the edited image enable the labels.
  image[Adrb::INPUT_FUNCTION] = 1;       // kill switch
  image[Adrb::INPUT_FUNCTION + 1] = 11;  // tacho-lambda
  DisplayModel none = Decode(RecordBuilder(), false);
  EXPECT_TRUE(none.Label("LabelKillSwitch").enabled);
  EXPECT_TRUE(none.Label("LabelMonTachoLambdaOut").enabled);
  EXPECT_FALSE(none.Label("LabelBlocking").enabled);
  EXPECT_EQ(none.Text("LabelKillSwitch"), "Kill switch = ---");
}

TEST_F(MonitorDisplay, StartLimiterAndLimiter) {
  RecordBuilder enabled;
  enabled.Bit(Mon::INPUTS_EN, InputBit::START_LIMITER);
  RecordBuilder yes = enabled, ready = enabled;
  yes.Bit(Mon::INPUTS, InputBit::START_LIMITER).Bit(Mon::LIMITS, LimitBit::START_LIMITER_ACT);
  ready.Bit(Mon::LIMITS, LimitBit::START_LIMITER_ACT);
  EXPECT_EQ(Decode(yes).Text("LabelMonStartLimiterOut"), "Start limiter = YES");
  EXPECT_EQ(Decode(yes).Label("LabelMonStartLimiterOut").back, MonColour::Red);
  EXPECT_EQ(Decode(ready).Text("LabelMonStartLimiterOut"), "Start limiter = READY");
  EXPECT_EQ(Decode(ready).Label("LabelMonStartLimiterOut").back, MonColour::Normal);
  EXPECT_EQ(Decode(enabled).Text("LabelMonStartLimiterOut"), "Start limiter = NO");
  EXPECT_FALSE(Decode(RecordBuilder()).Label("LabelMonStartLimiterOut").enabled);

  DisplayModel limiter = Decode(RecordBuilder().Bit(Mon::LIMITS, LimitBit::LIMITER));
  EXPECT_EQ(limiter.Text("LabelMonLimiterOut"), "Limiter = YES");
  EXPECT_EQ(limiter.Label("LabelMonLimiterOut").back, MonColour::Red);
  EXPECT_EQ(Decode(RecordBuilder()).Text("LabelMonLimiterOut"), "Limiter = NO");
}

TEST_F(MonitorDisplay, InputLevelsFullSyncAndDataError) {
  DisplayModel m = Decode(RecordBuilder().Byte(Mon::LEVELS, 0x03).Byte(Mon::FULL_SYNC, 0x10 | 0x05));
  EXPECT_EQ(m.Text("LabelMonInput1In"), "Input 1 = Grounded");
  EXPECT_EQ(m.Label("LabelMonInput1In").back, MonColour::Fuchsia);
  EXPECT_EQ(m.Text("LabelMonInput2In"), "Input 2 = Grounded");
  EXPECT_EQ(m.Label("LabelMonInput2In").back, MonColour::Aqua);
  EXPECT_EQ(Decode(RecordBuilder()).Text("LabelMonInput2In"), "Input 2 = Open");

  EXPECT_EQ(m.Text("LabelFullSync"), "YES");
  EXPECT_EQ(m.Label("LabelFullSync").back, MonColour::Green);
  EXPECT_EQ(m.Text("LabelFullSynchro1"), "YES");
  EXPECT_EQ(m.Text("LabelFullSynchro2"), "NO");
  EXPECT_EQ(m.Label("LabelFullSynchro2").back, MonColour::Red);
  EXPECT_EQ(m.Text("LabelFullSynchro3"), "YES");
  EXPECT_TRUE(m.Label("LabelFullSynchro4").enabled);
  // Without bit 4 the unit reports nothing about synchronisation.
  DisplayModel unreported = Decode(RecordBuilder().Byte(Mon::FULL_SYNC, 0x0F));
  EXPECT_EQ(unreported.Text("LabelFullSynchro1"), "---");
  EXPECT_FALSE(unreported.Label("LabelFullSynchro1").enabled);

  EXPECT_FALSE(m.Label("LabelEeDataErr").visible);
  EXPECT_TRUE(
      Decode(RecordBuilder().Bit(Mon::ERRORS, ErrorBit::EE_DATA_ERR)).Label("LabelEeDataErr").visible);
  EXPECT_FALSE(
      Decode(RecordBuilder().Bit(Mon::ERRORS, ErrorBit::EE_DATA_ERR), false).Label("LabelEeDataErr").visible);
}

TEST_F(MonitorDisplay, ServoInBothFormats) {
  RecordBuilder b;
  b.Word(Mon::SERVO, 2400).Word(Mon::SERVO_TG, 2500).Byte(Mon::SERVO_PERC, 48).Byte(Mon::SERVO_TARG_PERC, 50);
  b.Bit(Mon::ERRORS, ErrorBit::SERVO_OK).Bit(Mon::LIMITS, LimitBit::SERVO_EN);
  DisplayModel mv = Decode(b);
  EXPECT_EQ(mv.Text("LabelServo"), "Servo = 2400/2500 [mV]");
  EXPECT_EQ(mv.Label("LabelServo").back, MonColour::Normal);
  EXPECT_EQ(mv.Label("LabelServo").font, MonColour::Black);
  b.Bit(Mon::LIMITS, LimitBit::SERVO_PROC_MV);
  b.Byte(Mon::ERRORS, 0);
  DisplayModel percent = Decode(b);
  EXPECT_EQ(percent.Text("LabelServo"), "Servo = 48/50 [%] (2400/2500 [mV])");
  EXPECT_EQ(percent.Label("LabelServo").back, MonColour::Red);  // servo not in order

  DisplayModel disabled = Decode(RecordBuilder().Bit(Mon::ERRORS, ErrorBit::SERVO_OK));
  EXPECT_FALSE(disabled.Label("LabelServo").enabled);
  EXPECT_EQ(disabled.Label("LabelServo").font, MonColour::Grey);
  EXPECT_TRUE(disabled.Label("LabelServo").visible);
  image[Adrb::SERVO_ENABLE] = 1;
  EXPECT_TRUE(Decode(RecordBuilder(), false).Label("LabelServo").enabled);
}

TEST_F(MonitorDisplay, PowerOutputNamesColoursAndTestCaptions) {
  const struct {
    int mode;
    const char* name;
    uint32_t colour;
  } cases[] = {{1, "Fuel pump", MonColour::Olive},      {2, "Gear shift light", MonColour::Fuchsia},
               {3, "Power jet", MonColour::Green},      {253, "Power jet", MonColour::Green},
               {254, "Power jet", MonColour::Green},    {4, "N2O", MonColour::Green},
               {255, "Special out", MonColour::Yellow}, {0, "Not used", MonColour::White},
               {77, "Not used", MonColour::White}};
  for (const auto& c : cases) {
    DisplayModel on = Decode(
        RecordBuilder().Byte(Mon::POUT_MODE, c.mode).Byte(Mon::POUT_MODE + 1, c.mode).Byte(Mon::POUT, 0x01));
    EXPECT_EQ(on.Text("LabelMonPOut1"), std::string("POUT1(") + c.name + ") = YES");
    EXPECT_EQ(on.Label("LabelMonPOut1").back, c.colour) << c.mode;
    EXPECT_EQ(on.Text("LabelMonPOut2"), std::string("POUT2(") + c.name + ") = NO");
    EXPECT_EQ(on.Label("LabelMonPOut2").back, MonColour::Normal);
    EXPECT_EQ(on.testCaptions[0], std::string("Power out 1 - ") + c.name);
    EXPECT_EQ(on.testCaptions[1], std::string("Power out 2 - ") + c.name);
    EXPECT_EQ(on.testCaptions[2], "Power out 3 - Special out");
    EXPECT_EQ(on.testCaptions[3], "Power out 4 - Special out");
    EXPECT_FALSE(on.Label("LabelMonPOut3").visible);
    EXPECT_FALSE(on.Label("LabelMonPOut4").visible);
  }
}

TEST_F(MonitorDisplay, HourMeterAndOvervoltagesByByte142Bit7) {
  RecordBuilder hours;
  hours.Word(Mon::MINUTES_LO, 0x1234).Byte(Mon::MINUTES_HI, 1).Word(Mon::OVERVOLTAGES, 3);
  DisplayModel m = Decode(hours);
  const long minutes = 65536 + 0x1234;
  EXPECT_EQ(m.Text("LabelHourMeter"), "Hour meter = " + std::to_string(minutes / 60) + ":" +
                                          (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60) +
                                          " [h:mm]");
  EXPECT_EQ(m.Text("LabelOvervoltageEvents"), "Number of overvoltages on-board = 3");  // time unknown yet
  kept = m.kept;

  RecordBuilder last = hours;
  last.Word(Mon::MINUTES_LO, 125).Byte(Mon::MINUTES_HI, 0).Bit(Mon::LEVELS, 7);
  m = Decode(last);
  EXPECT_EQ(m.kept.overvoltageMinutes, 125);
  EXPECT_EQ(m.kept.hourMeterMinutes, minutes);  // kept from the record before
  EXPECT_EQ(m.Text("LabelOvervoltageEvents"),
            "Number of overvoltages on-board = 3 (last occurred at 2:05 [h:mm]) ");
  kept = m.kept;
  // No overvoltages: no time.
  EXPECT_EQ(Decode(RecordBuilder(last).Word(Mon::OVERVOLTAGES, 0)).Text("LabelOvervoltageEvents"),
            "Number of overvoltages on-board = 0");
  // Without data both become unknown.
  m = Decode(last, false);
  EXPECT_EQ(m.kept.hourMeterMinutes, -1);
  EXPECT_EQ(m.Text("LabelHourMeter"), "Hour meter = ---");
  EXPECT_EQ(m.Label("LabelOvervoltageEvents").fontSize, 0);
  developer = true;
  EXPECT_EQ(Decode(last).Label("LabelOvervoltageEvents").fontSize, 6);
}

TEST_F(MonitorDisplay, TestAndProprietaryValuesSignedOrUnsigned) {
  RecordBuilder b;
  for (int i = 0; i < 10; ++i) b.Word(Mon::TEST + i, 65535 - i);
  DisplayModel m = Decode(b);
  EXPECT_EQ(m.Text("LabelTest1"), "Test1 = 65535 ");
  EXPECT_FALSE(m.Label("LabelTest1").visible);  // developer test mode only
  EXPECT_EQ(m.Text("LabelPropMon1"), "Prop1 = 65530 ");
  EXPECT_EQ(m.Text("LabelPropMon5"), "Prop5 = 65526 ");
  propSigned = {true, false, false, false, true};
  developer = true;
  m = Decode(b);
  EXPECT_EQ(m.Text("LabelPropMon1"), "Prop1 = -6 ");
  EXPECT_EQ(m.Text("LabelPropMon2"), "Prop2 = 65529 ");
  EXPECT_EQ(m.Text("LabelPropMon5"), "Prop5 = -10 ");
  EXPECT_TRUE(m.Label("LabelTest10").visible);
  EXPECT_EQ(m.Text("LabelTest10"), "Test10 = 65526 ");
}

TEST_F(MonitorDisplay, EveryLabelWithoutDataShowsDashesInTheNormalColour) {
  RecordBuilder busy;  // a record full of set bits must not leak through
  for (int i = 1; i < kMonitorRecordLen; ++i) busy.Byte(i, 0xFF);
  image[Adrb::CHANNEL_COUNT] = 4;
  image[Adrb::PICKUP_SYSTEM] = 0;
  DisplayModel m = Decode(busy, false);
  const std::map<std::string, std::string> expected = {
      {"LabelRpm", "RPM = ---"},
      {"LabelTpsMon", "TP= ---"},
      {"LabelMonSnimac1", "Pick-up (CKPS) 1 =  ---"},
      {"LabelMonSnimac2", "Pick-up (CKPS) 2 =  ---"},
      {"LabelNapeti", "U = --- [V]"},
      {"LabelAdvance1", "Advance 1 = --- [°]"},
      {"LabelAdvance4", "Advance 4 = --- [°]"},
      {"LabelKillSwitch", "Kill switch = ---"},
      {"LabelBlocking", "Blocking = ---"},
      {"LabelClutchMon", "Quickshift = ---"},
      {"LabelMonRetard", "Retard = ---"},
      {"Label2ndAdv", "2nd advance chart = ---"},
      {"LabelMonTachoLambdaOut", "Tacho Lambda = ---"},
      {"LabelMonStartLimiterOut", "Start limiter = ---"},
      {"LabelMonLimiterOut", "Limiter = ---"},
      {"LabelTest3", "Test3 = --- "},
      {"LabelPropMon2", "Prop2 = --- "},
      {"LabelMonInput1In", "Input 1: ---"},
      {"LabelMonInput2In", "Input 2: ---"},
      {"LabelPocetProgramovani", "Number of programmings= ---"},
      {"LabelFullSync", "---"},
      {"LabelFullSynchro4", "---"},
      {"LabelServo", "Servo = ---"},
      {"LabelMonPOut1", "POUT1 = ---"},
      {"LabelMonPOut2", "POUT2 = ---"},
      {"LabelHourMeter", "Hour meter = ---"},
      {"LabelOvervoltageEvents", "Number of overvoltages on-board = ---"},
  };
  for (const auto& [name, text] : expected) {
    EXPECT_EQ(m.Text(name), text) << name;
    EXPECT_EQ(m.Label(name).back, MonColour::Normal) << name;
  }
  for (const std::string& name : MonitorLabelNames())
    EXPECT_EQ(m.Label(name).back, MonColour::Normal) << name;
  EXPECT_EQ(m.rpmGauge.position, 0);
  EXPECT_EQ(m.testCaptions[0], "Power out 1");
  EXPECT_EQ(m.Text("LabelVerze1"), "Unit = X");
  EXPECT_FALSE(m.live.valid);
}

TEST_F(MonitorDisplay, GermanAndCzechTexts) {
  RecordBuilder b;
  b.Byte(Mon::ADV, 0)
      .Word(Mon::ADV_MAX, 12)
      .Bit(Mon::INPUTS_EN, 0)
      .Bit(Mon::INPUTS, 0)
      .Byte(Mon::PICKUP, 0x01);
  b.Byte(Mon::POUT_MODE, 1).Byte(Mon::POUT, 1).Bit(Mon::LIMITS, LimitBit::LIMITER);
  UseLanguage(LNG_DEUTSCH);
  DisplayModel de = Decode(b);
  EXPECT_EQ(de.Text("LabelAdvance1"), "Vorzündung = Basis/max 12 [°]");
  EXPECT_EQ(de.Text("LabelKillSwitch"), "Not Aus = JA");
  EXPECT_EQ(de.Text("LabelMonSnimac1"), "Geber(CKPS) 1 = läuft, positive Polarität");
  EXPECT_EQ(de.Text("LabelMonPOut1"), "POUT1(Kraftstoffpumpe) = JA");
  EXPECT_EQ(de.Text("LabelMonLimiterOut"), "Begrenzer = JA");
  EXPECT_EQ(Decode(b, false).Text("LabelHourMeter"), "Betriebsstundenzähler = ---");
  UseLanguage(LNG_CESKY);
  DisplayModel cs = Decode(b);
  EXPECT_EQ(cs.Text("LabelAdvance1"), "Předstih = Základní/max 12 [°]");
  EXPECT_EQ(cs.Text("LabelMonSnimac1"), "Snímač (CKPS) 1 = pracuje, kladná polarita");
  EXPECT_EQ(cs.Text("LabelMonInput1In"), "Vstup 1 = Otevřený");
  EXPECT_EQ(cs.testCaptions[0], "Power out 1 - Palivová pumpa");
}

}  // namespace
}  // namespace ign::test
