#include "core/monitor/live_monitor.h"

namespace ign {

MonitorUpdate CLiveMonitor::Show(bool data, DisplayInput context) {
  return Show(data, std::move(context), LocalNow());
}

MonitorUpdate CLiveMonitor::Show(bool data, DisplayInput context, const LocalTime& now, bool newRecord) {
  MonitorUpdate u;
  if (!data)
    record_.Clear();
  else if (newRecord && csv_.Running() && !csv_.WriteCsvRow(record_, now))
    u.csvStopped = true;
  context.record = &record_;
  context.data = data;
  u.model = PickUp1(context, kept_);
  kept_ = u.model.kept;
  if (data && newRecord) {
    const int testSet = context.edited ? (*context.edited)[Adrb::TEST_SET] * 100 : 0;
    u.testBits = selfTest_.Evaluate({record_, testSet, kept_.pickup1Ok, kept_.pickup2Ok, now});
  }
  u.model.labels["LabelSelftest"] = selfTest_.Label();
  return u;
}

}  // namespace ign
