// Unit values: data error, test and proprietary values, programming count,
// program versions, hour meter and overvoltages.
#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign::monitor_detail {

namespace {

constexpr int kDeveloperFontSize = 6;

void TestValues(const StepContext& c, DisplayModel& m) {
  for (int i = 0; i < 10; ++i) {
    LabelView v = c.data ? Shown(Format("Test%d = %d ", i + 1, c.r.Word(Mon::TEST + i)), MonColour::Normal)
                         : Dashes(Format("Test%d = --- ", i + 1));
    v.visible = c.in.developerMode;
    m.labels["LabelTest" + std::to_string(i + 1)] = v;
  }
  for (int i = 5; i < 10; ++i) {
    const int n = i - 4;
    const uint16_t w = c.r.Word(Mon::TEST + i);
    std::string text;
    if (!c.data)
      text = Format("Prop%d = --- ", n);
    else if (c.in.propSigned[size_t(n - 1)])
      text = Format("Prop%d = %d ", n, int(int16_t(w)));
    else
      text = Format("Prop%d = %u ", n, unsigned(w));
    m.labels["LabelPropMon" + std::to_string(n)] = Shown(text, MonColour::Normal);
  }
}

void HourMeter(const StepContext& c, DisplayModel& m) {
  const long hours = m.kept.hourMeterMinutes;
  m.labels["LabelHourMeter"] =
      Dashes(hours < 0 ? Format("%s = ---", Msg(72))
                       : Format("%s = %i:%02i %s", Msg(72), int(hours / 60), int(hours % 60), Msg(73)));
  LabelView v;
  if (!c.data) {
    v = Dashes(Format("%s = ---", Msg(74)));
  } else {
    const int n = c.r.Word(Mon::OVERVOLTAGES);
    const long last = m.kept.overvoltageMinutes;
    v = Dashes(n != 0 && last >= 0 ? Format("%s = %i (%s %i:%02i %s) ", Msg(74), n, Msg(75), int(last / 60),
                                            int(last % 60), Msg(73))
                                   : Format("%s = %i", Msg(74), n));
  }
  if (c.in.developerMode) v.fontSize = kDeveloperFontSize;
  m.labels["LabelOvervoltageEvents"] = v;
}

}  // namespace

void UnitLabels(const StepContext& c, DisplayModel& m) {
  LabelView error;
  error.visible = c.data && c.r.Bit(Mon::ERRORS, ErrorBit::EE_DATA_ERR);
  m.labels["LabelEeDataErr"] = error;
  TestValues(c, m);
  m.labels["LabelPocetProgramovani"] =
      Dashes(c.data ? Format("%s= %s", Msg(21), std::to_string(c.r.Word(Mon::PROGRAMMINGS)).c_str())
                    : Format("%s= ---", Msg(21)));
  m.labels["LabelVerze1"] = Dashes(c.in.unitName);
  m.labels["LabelVerze2"] = Dashes(c.in.unitDate);
  m.labels["LabelVerze3"] = Dashes(c.in.unitTime);
  HourMeter(c, m);
}

}  // namespace ign::monitor_detail
