#pragma once
// Axes the parameter maps share: the rpm points (stored in hundreds) and the
// load points that follow the load sensor (the fixed throttle points, or the
// map's own intake pressure points).
#include "core/mapedit/model.h"
#include "core/params/image.h"

namespace ign {

namespace LoadSensor {
constexpr int kNone = 0, kThrottle = 1, kPressure = 2;  // TPSIAP_SENSOR
}  // namespace LoadSensor

// Rpm points 300..25 000 in steps of 100, editable, the first one preferred.
AxisDefinition RpmPointsAxis(int count);

// Throttle points 0..100 %, not resizable, collapsible by the tuner, the last one preferred.
AxisDefinition ThrottlePointsAxis(int count, bool editable);

// The ten-row Y axis of the advance and servo maps by the load sensor: "IAP"
// in kPa up to 999, editable, points from the image's words from `iapWord`;
// otherwise "TP" with the fixed throttle points.
void FollowLoadSensor(CAxe& y, int loadSensor, const Image& img, int iapWord);

}  // namespace ign
