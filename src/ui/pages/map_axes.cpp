#include "ui/pages/map_axes.h"

#include <algorithm>

namespace ign {

namespace {
constexpr int32_t kThrottlePoints[kMapRows] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
}  // namespace

AxisDefinition RpmPointsAxis(int count) {
  AxisDefinition x;
  x.unit = "RPM";
  x.minimum = 3;
  x.maximum = 250;
  x.scale = 100.0;
  x.step = 1;
  x.editable = true;
  x.count = count;
  x.preferredIndex = Preferred::kFirst;
  return x;
}

AxisDefinition ThrottlePointsAxis(int count, bool editable) {
  AxisDefinition y;
  y.unit = "TP";
  y.suffix = "%";
  y.minimum = 0;
  y.maximum = 100;
  y.editable = editable;
  y.count = count;
  y.collapsible = Collapsible::kByUser;
  y.resizable = false;
  y.preferredIndex = Preferred::kLast;
  return y;
}

void FollowLoadSensor(CAxe& y, int loadSensor, const Image& img, int iapWord) {
  y.count = kMapRows;
  y.preferredIndex = Preferred::kLast;
  if (loadSensor == LoadSensor::kPressure) {
    y.label = y.unit = "IAP";
    y.suffix = "kPa";
    y.maximum = 999;
    y.editable = 1;
    for (int r = 0; r < kMapRows; ++r) y.values[size_t(r)] = GetWord(img, iapWord + r);
  } else {
    y.label = y.unit = "TP";
    y.suffix = "%";
    y.maximum = 100;
    y.editable = 0;
    std::copy(std::begin(kThrottlePoints), std::end(kThrottlePoints), y.values.begin());
  }
}

}  // namespace ign
