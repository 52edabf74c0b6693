#include "core/monitor/display.h"

#include <algorithm>

#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign {

using monitor_detail::Format;

const LabelView& DisplayModel::Label(const std::string& name) const {
  static const LabelView none;
  auto it = labels.find(name);
  return it == labels.end() ? none : it->second;
}

std::string DisplayModel::Text(const std::string& name) const {
  const LabelView& v = Label(name);
  return v.text ? *v.text : std::string();
}

const std::vector<std::string>& MonitorLabelNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v = {"LabelRpm", "LabelTpsMon", "LabelMonSnimac1", "LabelMonSnimac2",
                                  "LabelNapeti"};
    for (int i = 1; i <= 4; ++i) v.push_back("LabelAdvance" + std::to_string(i));
    for (const char* n : {"LabelDwell", "LabelDwellCalibError", "LabelKillSwitch", "LabelBlocking",
                          "LabelClutchMon", "LabelMonRetard", "Label2ndAdv", "LabelMonTachoLambdaOut",
                          "LabelMonStartLimiterOut", "LabelMonLimiterOut", "LabelEeDataErr"})
      v.push_back(n);
    for (int i = 1; i <= 10; ++i) v.push_back("LabelTest" + std::to_string(i));
    for (int i = 1; i <= 5; ++i) v.push_back("LabelPropMon" + std::to_string(i));
    for (const char* n : {"LabelMonInput1In", "LabelMonInput2In", "LabelPocetProgramovani", "LabelVerze1",
                          "LabelVerze2", "LabelVerze3", "LabelFullSync"})
      v.push_back(n);
    for (int i = 1; i <= 4; ++i) v.push_back("LabelFullSynchro" + std::to_string(i));
    v.push_back("LabelServo");
    for (int i = 1; i <= 4; ++i) v.push_back("LabelMonPOut" + std::to_string(i));
    v.push_back("LabelHourMeter");
    v.push_back("LabelOvervoltageEvents");
    return v;
  }();
  return names;
}

namespace {

void Kept(const MonitorRecord& r, bool data, const MonitorKept& previous, DisplayModel& m) {
  MonitorKept& k = m.kept;
  k = previous;
  const int type = SensorType(r);
  k.unitBike = data ? r.Byte(Mon::BIKE) : previous.unitBike;
  k.loadSensor = type;
  k.throttleLoad = type <= 1 ? r.Word(Mon::TPSIAP) * 10 : -1;
  k.pressure = type == 2 ? r.Word(Mon::TPSIAP) : -1;
  k.rpm = r.Word(Mon::RPM);
  k.loadVoltage = r.Word(Mon::TPS);
  k.savingCount = r.Word(Mon::SAVING);
  k.throttleError = r.Bit(Mon::ERRORS, ErrorBit::TPS_ERR);
  k.pressureError = r.Bit(Mon::ERRORS, ErrorBit::IAP_ERR);
  k.secondMap = r.Bit(Mon::INPUTS, InputBit::SECOND_ADV);
  k.sync1Error = r.Bit(Mon::PICKUP, PickupBit::SYNCHRO1_ERR);
  k.sync2Error = r.Bit(Mon::PICKUP, PickupBit::SYNCHRO2_ERR);
  k.pickup2Run = r.Bit(Mon::PICKUP, PickupBit::PICKUP2_RUN);
  if (data) {
    const long minutes = long(r.Byte(Mon::MINUTES_HI)) * 65536 + r.Word(Mon::MINUTES_LO);
    (r.Bit(Mon::LEVELS, 7) ? k.overvoltageMinutes : k.hourMeterMinutes) = minutes;
  } else {
    k.hourMeterMinutes = k.overvoltageMinutes = -1;
  }

  LivePoint& p = m.live;
  p.valid = data;
  if (data) {
    p.rpm = k.rpm;
    p.loadSensor = type;
    p.throttle = type == 1 ? r.Word(Mon::TPSIAP) : 100;
    p.pressure = k.pressure;
    p.status = (k.secondMap ? 1u : 0u) + (type == 2 ? 0x30u : 0u);
  }
  m.stream = {r.Byte(Mon::STREAM_TYPE), r.Word(Mon::STREAM_LEN), r.Byte(Mon::STREAM_XOR),
              r.Byte(Mon::STREAM_SUM), r.Byte(Mon::STREAM_FURTHER)};
}

}  // namespace

DisplayModel PickUp1(const DisplayInput& in, const MonitorKept& previous) {
  static const MonitorRecord kCleared;
  static const Image kNoImage{};
  const MonitorRecord& r = in.data && in.record ? *in.record : kCleared;
  const Image& img = in.edited ? *in.edited : kNoImage;
  DisplayModel m;
  Kept(r, in.data, previous, m);
  const monitor_detail::StepContext c{r, in.data, img, in};
  monitor_detail::EngineLabels(c, m);
  monitor_detail::PickupLabels(c, m);
  monitor_detail::InputLabels(c, m);
  monitor_detail::UnitLabels(c, m);
  monitor_detail::OutputLabels(c, m);
  m.refreshPages = m.kept.pickup2Run != previous.pickup2Run;
  return m;
}

}  // namespace ign
