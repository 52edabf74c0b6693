#pragma once
// The maps whose cells the hit counts fill, as the map editors show them
// from the settings: the rpm points, the load points by the load sensor
// (the fixed throttle points, or the map's pressure points), the dimensions
// in use by the map's mode byte, and the sheet flags and data unit the
// live-cell rule reads.
#include <optional>
#include <string>

#include "core/mapedit/sheet.h"
#include "core/params/image.h"

namespace ign {

enum class HitMap { Advance1, Advance2, Servo };

// "advance1", "advance2", "servo".
const char* HitMapName(HitMap map);
std::optional<HitMap> HitMapOfName(const std::string& name);
// The sheet's index in its editor (the advance maps are sheets 0 and 1 of one editor).
int HitSheetIndex(HitMap map);

CSheet HitSheetOfImage(const Image& img, HitMap map);

}  // namespace ign
