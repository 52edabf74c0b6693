#pragma once
// The display update of the live monitor: a monitor record (or none) decoded
// into the texts, colours and states of the labels and gauges.
#include <array>
#include <string>
#include <vector>

#include "core/monitor/display_model.h"
#include "core/monitor/record.h"
#include "core/params/image.h"

namespace ign {

struct DisplayInput {
  const MonitorRecord* record = nullptr;  // the record as it stands (may be cleared, see below)
  bool data = false;                      // a unit is connected, or a recording plays
  const Image* edited = nullptr;          // the edited image (limiter, sensor, system, channels ...)
  bool developerMode = false;
  std::array<bool, 5> propSigned{};          // CheckBoxPropMon1..5
  std::string unitName, unitDate, unitTime;  // LabelVerze1..3
};

// Decodes one update. previous holds what the last update kept (the minute
// counts and PICKUP2_RUN); the texts come in the current language of the
// message table.
DisplayModel PickUp1(const DisplayInput& in, const MonitorKept& previous);

// The label names the update fills, in a fixed order (for printing).
const std::vector<std::string>& MonitorLabelNames();

}  // namespace ign
