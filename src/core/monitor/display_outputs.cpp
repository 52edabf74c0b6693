// Power outputs and the captions of the output test buttons.
#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign::monitor_detail {

namespace {

struct OutputFunction {
  int msg;
  uint32_t colour;
};

OutputFunction FunctionOf(int mode) {
  switch (mode) {
    case 1: return {53, MonColour::Olive};
    case 2: return {54, MonColour::Fuchsia};
    case 3:
    case 253:
    case 254: return {55, MonColour::Green};
    case 4: return {88, MonColour::Green};
    case 255: return {56, MonColour::Yellow};
    default: return {57, MonColour::White};
  }
}

}  // namespace

void OutputLabels(const StepContext& c, DisplayModel& m) {
  for (int i = 0; i < 4; ++i) {
    const std::string name = "LabelMonPOut" + std::to_string(i + 1);
    if (i >= 2) {
      LabelView hidden;
      hidden.visible = false;
      m.labels[name] = hidden;
      continue;
    }
    if (!c.data) {
      m.labels[name] = Dashes(Format("POUT%i = ---", i + 1));
      continue;
    }
    const OutputFunction f = FunctionOf(c.r.Byte(Mon::POUT_MODE + i));
    const bool on = c.r.Bit(Mon::POUT, i);
    const std::string which = Format("POUT%i(%s)", i + 1, Msg(f.msg));
    m.labels[name] =
        Shown(Format("%s = %s", which.c_str(), on ? Msg(23) : Msg(24)), on ? f.colour : MonColour::Normal);
  }
  for (int i = 0; i < 4; ++i) {
    // Outputs 3 and 4 have no function of their own on this unit family.
    const int msg = i >= 2 ? 56 : FunctionOf(c.r.Byte(Mon::POUT_MODE + i)).msg;
    m.testCaptions[size_t(i)] =
        c.data ? Format("Power out %i - %s", i + 1, Msg(msg)) : Format("Power out %i", i + 1);
  }
}

}  // namespace ign::monitor_detail
