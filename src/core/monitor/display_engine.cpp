// Engine values: rpm, load, supply voltage, advance, dwell and servo.
#include <algorithm>

#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign::monitor_detail {

namespace {

std::string Num(int v) { return std::to_string(v); }

void Rpm(const StepContext& c, DisplayModel& m) {
  const int rpm = c.r.Word(Mon::RPM);
  if (!c.data) {
    m.labels["LabelRpm"] = Dashes("RPM = ---");
  } else {
    m.labels["LabelRpm"] =
        Shown(Format("RPM = %s", Num(rpm).c_str()),
              c.r.Bit(Mon::LIMITS, LimitBit::LIMITER) ? MonColour::Red : MonColour::Normal);
  }
  const int limiter = c.img[Adrb::LIMITER] ? c.img[Adrb::LIMITER] : 100;
  m.rpmGauge = {std::clamp(rpm / limiter, 0, 100), 100, MonColour::Normal};
}

void Load(const StepContext& c, DisplayModel& m) {
  static constexpr uint32_t kGaugeColour[3] = {MonColour::Grey, MonColour::Desktop, MonColour::Purple};
  LabelView& label = m.labels["LabelTpsMon"];
  GaugeModel& gauge = m.tpsGauge;
  if (!c.data) {
    const int type = std::min<int>(c.img[Adrb::TPSIAP_SENSOR], 2);
    label = Dashes(type == 2 ? "IAP= ---" : "TP= ---", type != 0);
    gauge = {0, type == 2 ? 300 : 100, kGaugeColour[type]};
    return;
  }
  const int type = SensorType(c.r);
  const int load = c.r.Word(Mon::TPSIAP), mv = c.r.Word(Mon::TPS);
  gauge.colour = kGaugeColour[type];
  if (type <= 1) {
    gauge.maximum = 100;
    if ((type == 0 && load * 10 > 1000) || c.r.Bit(Mon::ERRORS, ErrorBit::TPS_ERR)) {
      label = Shown(Format("TP=%s = %s [mV]", Msg(27), Num(mv).c_str()), MonColour::Red);
      gauge.position = 0;
    } else {
      label = Shown(Format("TP= %s [%%]= %s [mV]", Num(load).c_str(), Num(mv).c_str()), MonColour::Normal);
      gauge.position = load;
    }
  } else {
    gauge.maximum = 300;
    if (c.r.Bit(Mon::ERRORS, ErrorBit::IAP_ERR)) {
      label = Shown(Format("IAP=%s = %s [mV]", Msg(27), Num(mv).c_str()), MonColour::Red);
      gauge.position = 0;
    } else {
      label = Shown(Format("IAP= %s [kPa]= %s [mV]", Num(load).c_str(), Num(mv).c_str()), MonColour::Normal);
      gauge.position = load;
    }
  }
  label.enabled = type != 0;
  gauge.position = std::clamp(gauge.position, 0, gauge.maximum);
}

uint32_t VoltageColour(int mv) {
  if (mv > 11000 && mv <= 14998) return MonColour::Normal;
  if ((mv > 7000 && mv <= 11000) || (mv > 14998 && mv < 17999)) return MonColour::Yellow;
  return MonColour::Red;
}

void Voltage(const StepContext& c, DisplayModel& m) {
  if (!c.data) {
    m.labels["LabelNapeti"] = Dashes("U = --- [V]");
    return;
  }
  const int mv = c.r.Word(Mon::BATTERY);
  const std::string volts = Format("%.*f", 1, mv / 1000.0);
  m.labels["LabelNapeti"] = Shown(Format("U = %s [V]", volts.c_str()), VoltageColour(mv));
}

void Advance(const StepContext& c, DisplayModel& m) {
  const int channels = std::min<int>(c.data ? c.r.Byte(Mon::CHANNELS) : c.img[Adrb::CHANNEL_COUNT], 4);
  for (int i = 0; i < 4; ++i) {
    const std::string name = "LabelAdvance" + std::to_string(i + 1);
    LabelView v;
    if (!c.data) {
      v = Dashes(Format("%s %i = --- [°]", Msg(19), i + 1));
    } else {
      const int a = c.r.Byte(Mon::ADV + i) - 100, max = c.r.Word(Mon::ADV_MAX + i);
      if (a == -100)
        v.text = max != 0 ? Format("%s = %s/max %i [°]", Msg(19), Msg(20), max)
                          : Format("%s = %s", Msg(19), Msg(20));
      else
        v.text = max != 0 ? Format("%s %i = %i [°] /max %i [°]", Msg(19), i + 1, a, max)
                          : Format("%s %i = %i [°]", Msg(19), i + 1, a);
      v.back = max >= 1 && a >= max ? MonColour::Yellow : MonColour::Normal;
    }
    v.visible = i == 0 || channels > i;
    m.labels[name] = v;
  }
  for (const char* hidden : {"LabelDwell", "LabelDwellCalibError"}) {
    LabelView v;
    v.visible = false;
    m.labels[hidden] = v;
  }
}

void Servo(const StepContext& c, DisplayModel& m) {
  LabelView v;
  if (!c.data) {
    v = Dashes("Servo = ---");
    v.enabled = c.img[Adrb::SERVO_ENABLE] != 0;
  } else {
    const int mv = c.r.Word(Mon::SERVO), target = c.r.Word(Mon::SERVO_TG);
    v.text = c.r.Bit(Mon::LIMITS, LimitBit::SERVO_PROC_MV)
                 ? Format("Servo = %i/%i [%%] (%i/%i [mV])", c.r.Byte(Mon::SERVO_PERC),
                          c.r.Byte(Mon::SERVO_TARG_PERC), mv, target)
                 : Format("Servo = %i/%i [mV]", mv, target);
    v.back = c.r.Bit(Mon::ERRORS, ErrorBit::SERVO_OK) ? MonColour::Normal : MonColour::Red;
    v.enabled = c.r.Bit(Mon::LIMITS, LimitBit::SERVO_EN);
  }
  v.font = v.enabled ? MonColour::Black : MonColour::Grey;
  m.labels["LabelServo"] = v;
}

}  // namespace

void EngineLabels(const StepContext& c, DisplayModel& m) {
  Rpm(c, m);
  Load(c, m);
  Voltage(c, m);
  Advance(c, m);
  Servo(c, m);
}

}  // namespace ign::monitor_detail
