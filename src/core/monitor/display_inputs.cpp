// Input functions, the limiters and the input levels.
#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign::monitor_detail {

namespace {

struct InputFunction {
  const char* label;
  int msg;       // name in the message table
  int bit;       // of bytes 141 and 143
  int function;  // INPUT_FUNCTION value that configures it
  uint32_t colour;
  bool inverted;
};

constexpr InputFunction kFunctions[] = {
    {"LabelKillSwitch", 49, InputBit::KILL_SWITCH, 1, MonColour::Red, false},
    {"LabelBlocking", 22, InputBit::BLOCKING, 2, MonColour::Red, false},
    {"LabelClutchMon", 46, InputBit::CLUTCH_MASTER, 3, MonColour::Green, false},
    {"LabelMonRetard", 66, InputBit::RETARD, 5, MonColour::Aqua, false},
    {"Label2ndAdv", 87, InputBit::SECOND_ADV, 7, MonColour::Green, false},
    {"LabelMonTachoLambdaOut", 95, InputBit::TACHO_LAMBDA, 11, MonColour::Aqua, true},
};
constexpr int kStartLimiterFunction = 6;

// Input 1 or 2 of the edited image has the function.
bool Configured(const Image& img, int function) {
  return img[Adrb::INPUT_FUNCTION] == function || img[Adrb::INPUT_FUNCTION + 1] == function;
}

}  // namespace

void InputLabels(const StepContext& c, DisplayModel& m) {
  const MonitorRecord& r = c.r;
  auto enabled = [&](int bit, int function) {
    return c.data ? r.Bit(Mon::INPUTS_EN, bit) : Configured(c.img, function);
  };
  for (const InputFunction& f : kFunctions) {
    const bool on = enabled(f.bit, f.function);
    if (!c.data || !on) {
      m.labels[f.label] = Dashes(Format("%s = ---", Msg(f.msg)), on);
      continue;
    }
    bool set = r.Bit(Mon::INPUTS, f.bit);
    if (f.inverted) set = !set;
    m.labels[f.label] =
        Shown(Format("%s = %s", Msg(f.msg), set ? Msg(23) : Msg(24)), set ? f.colour : MonColour::Normal);
  }

  const bool startOn = enabled(InputBit::START_LIMITER, kStartLimiterFunction);
  if (!c.data || !startOn) {
    m.labels["LabelMonStartLimiterOut"] = Dashes(Format("%s = ---", Msg(68)), startOn);
  } else if (r.Bit(Mon::INPUTS, InputBit::START_LIMITER)) {
    m.labels["LabelMonStartLimiterOut"] = Shown(Format("%s = %s", Msg(68), Msg(23)), MonColour::Red);
  } else {
    const bool ready = r.Bit(Mon::LIMITS, LimitBit::START_LIMITER_ACT);
    m.labels["LabelMonStartLimiterOut"] =
        Shown(Format("%s = %s", Msg(68), Msg(ready ? 26 : 24)), MonColour::Normal);
  }

  if (!c.data) {
    m.labels["LabelMonLimiterOut"] = Dashes(Format("%s = ---", Msg(69)));
  } else {
    const bool limiter = r.Bit(Mon::LIMITS, LimitBit::LIMITER);
    m.labels["LabelMonLimiterOut"] = Shown(Format("%s = %s", Msg(69), limiter ? Msg(23) : Msg(24)),
                                           limiter ? MonColour::Red : MonColour::Normal);
  }

  for (int i = 0; i < 2; ++i) {
    const std::string name = i == 0 ? "LabelMonInput1In" : "LabelMonInput2In";
    if (!c.data) {
      // The Miscellaneous page's own form while no unit is connected.
      m.labels[name] = Dashes(Format("%s %i: ---", Msg(47), i + 1));
      continue;
    }
    const bool grounded = r.Bit(Mon::LEVELS, i);
    m.labels[name] = Shown(Format("%s %i = %s", Msg(47), i + 1, grounded ? Msg(51) : Msg(50)),
                           grounded ? (i == 0 ? MonColour::Fuchsia : MonColour::Aqua) : MonColour::Normal);
  }
}

}  // namespace ign::monitor_detail
