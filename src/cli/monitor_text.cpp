#include "cli/monitor_text.h"

namespace ign::cli {

std::string MonitorLine(const DisplayModel& m) {
  static const char* const kShown[] = {
      "LabelRpm",
      "LabelTpsMon",
      "LabelNapeti",
      "LabelAdvance1",
      "LabelAdvance2",
      "LabelAdvance3",
      "LabelAdvance4",
      "LabelMonSnimac1",
      "LabelMonSnimac2",
      "LabelMonLimiterOut",
      "LabelMonPOut1",
      "LabelMonPOut2",
      "LabelMonInput1In",
      "LabelMonInput2In",
      "LabelServo",
      "LabelHourMeter",
      "LabelOvervoltageEvents",
  };
  std::string line;
  for (const char* name : kShown) {
    const LabelView& v = m.Label(name);
    if (!v.visible || !v.text) continue;
    std::string text = *v.text;
    while (!text.empty() && text.back() == ' ') text.pop_back();  // padded texts
    if (!line.empty()) line += " | ";
    line += text;
  }
  return line;
}

}  // namespace ign::cli
