#include "core/params/param_descriptors.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace ign {

namespace {

struct Limits {
  const char* name;
  int minimum, maximum, step;
  const char* unit;
  int occurrence = 0;  // the address map's n-th entry of the name
};

// The number fields of the pages, in shown units.
constexpr Limits kLimits[] = {
    {"LIMITER", 1000, 25000, 100, "rpm"},
    {"START_LIM", 1000, 25000, 100, "rpm"},
    {"START_LIM_DELAY", 0, 5000, 100, "ms"},
    {"CLUTCH_TIME", 0, 1250, 5, "ms"},
    {"CLUTCH_PAUSE", 0, 2500, 10, "ms"},
    {"RETARD", 0, 60, 1, "°"},
    {"BASE_ADV", 0, 40, 1, "°"},
    {"CORR_ADVANCE", -30, 30, 1, "°"},
    {"RPM_PULSES", -2, 12, 1, ""},
    {"RPM_CORRECTION", -60, 60, 1, ""},
    {"SPECIAL_START_PERC", 0, 250, 1, "%"},
    {"REV_WITHOUT_IGNITION", 0, 40, 1, ""},
    {"MAX_LOBE_LEN", 1, 250, 1, ""},
    {"LOBE_COUNT", 1, 120, 1, ""},  // 58 unless the pick-up system has wide lobes
    {"CHANNEL_COUNT", 1, 4, 1, ""},
    {"COMPENSATION", 0, 255, 1, ""},
    {"POWER_OUT_HYSTERESIS", 0, 2500, 10, "rpm"},
    {"POWER_OUT_SP_PWM", 10, 100, 10, "%"},
    {"POWER_OUT_SPWM_FR", 2, 20, 2, "Hz"},
    {"POWER_OUT_SPULSE", 5, 500, 5, "ms"},
    {"SERVO_HYSTER", 0, 1275, 5, "mV"},
    {"SERVO_NO", 0, 1250, 5, "mV"},
    {"TEST_SET", 200, 25000, 100, "rpm"},
    {"TEST_SET", 10, 2500, 10, "ms", 1},  // the servo test time
};

const ParamInfo* FindOccurrence(std::string_view name, int occurrence) {
  for (const ParamInfo& p : ParamTable())
    if (name == p.name && occurrence-- == 0) return &p;
  return nullptr;
}
constexpr size_t kCount = std::size(kLimits);

const std::array<ParamDescriptor, kCount>& Table() {
  static const std::array<ParamDescriptor, kCount> table = [] {
    std::array<ParamDescriptor, kCount> t{};
    for (size_t i = 0; i < kCount; ++i) {
      const Limits& l = kLimits[i];
      const ParamInfo* info = FindOccurrence(l.name, l.occurrence);
      if (!info || info->area != Area::Byte) {
        std::fprintf(stderr, "parameter descriptor %s has no byte address\n", l.name);
        std::abort();
      }
      t[i] = {l.name, l.minimum, l.maximum, l.step, l.unit, info, l.occurrence};
    }
    return t;
  }();
  return table;
}

}  // namespace

std::span<const ParamDescriptor> Descriptors() { return Table(); }

const ParamDescriptor& Describe(std::string_view name, int occurrence) {
  for (const ParamDescriptor& d : Table())
    if (name == d.name && occurrence == d.occurrence) return d;
  std::fprintf(stderr, "no parameter descriptor %.*s (%d)\n", int(name.size()), name.data(), occurrence);
  std::abort();
}

}  // namespace ign
