#pragma once
// The steps of the display update, each filling its group of labels.
#include "core/monitor/display.h"

namespace ign::monitor_detail {

struct StepContext {
  const MonitorRecord& r;
  bool data;
  const Image& img;
  const DisplayInput& in;
};

// The "---" form of a label: the text in the normal colour.
inline LabelView Dashes(std::string text, bool enabled = true) {
  LabelView v;
  v.text = std::move(text);
  v.enabled = enabled;
  return v;
}
inline LabelView Shown(std::string text, uint32_t back) {
  LabelView v;
  v.text = std::move(text);
  v.back = back;
  return v;
}

void EngineLabels(const StepContext& c, DisplayModel& m);  // rpm, load, voltage, advance, dwell, servo
void PickupLabels(const StepContext& c, DisplayModel& m);  // pick-ups, full synchronisation
void InputLabels(const StepContext& c, DisplayModel& m);   // input functions, limiters, input levels
void UnitLabels(const StepContext& c, DisplayModel& m);    // data error, tests, counts, versions, hours
void OutputLabels(const StepContext& c, DisplayModel& m);  // power outputs and the test captions

}  // namespace ign::monitor_detail
