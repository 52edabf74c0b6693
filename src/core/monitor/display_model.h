#pragma once
// What one update of the live display shows: every monitor label and gauge by
// its objectName, the test-button captions, the stream announcement, the page
// refresh request, the live operating point for the map editors and the values
// kept for other parts of the program. A window only copies these onto its
// widgets; ignctl prints the same texts.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/monitor/colour.h"

namespace ign {

struct LabelView {
  std::optional<std::string> text;  // empty: the label keeps its caption
  uint32_t back = MonColour::Normal;
  uint32_t font = MonColour::Black;
  int fontSize = 0;  // 0: the label's own size
  bool enabled = true;
  bool visible = true;
  bool operator==(const LabelView&) const = default;
};

struct GaugeModel {
  int position = 0;  // within 0..maximum
  int maximum = 100;
  uint32_t colour = MonColour::Normal;
  bool operator==(const GaugeModel&) const = default;
};

struct StreamAnnouncement {
  uint8_t type = 0;
  uint16_t length = 0;
  uint8_t xorCheck = 0, sumCheck = 0, further = 0;
};

// The operating point the map editors mark (valid only with data).
struct LivePoint {
  bool valid = false;
  int rpm = 0;
  int throttle = 0;     // percent; 100 whenever the load sensor is not the throttle sensor
  int pressure = -1;    // kPa, -1 unless a pressure sensor
  uint32_t status = 0;  // bit 0 second advance map; 0x30 added for a pressure sensor
  int loadSensor = 0;
};

// Values other parts of the program read after an update. The two minute
// counts survive from update to update (a record carries only one of them).
struct MonitorKept {
  int unitBike = -1;
  int loadSensor = 0;
  int throttleLoad = -1;  // word 3 x 10 (0.1 %) with sensor type 0 or 1
  int pressure = -1;      // kPa with sensor type 2
  int rpm = 0;
  int loadVoltage = 0;  // mV
  int savingCount = 0;
  bool throttleError = false, pressureError = false, secondMap = false;
  bool sync1Error = false, sync2Error = false;
  bool pickup1Ok = false, pickup2Ok = false;
  bool pickup2Run = false;
  long hourMeterMinutes = -1;  // -1: unknown
  long overvoltageMinutes = -1;
};

struct DisplayModel {
  std::map<std::string, LabelView> labels;
  GaugeModel rpmGauge, tpsGauge;
  std::array<std::string, 4> testCaptions;  // ButtonTest01..04
  StreamAnnouncement stream;
  bool refreshPages = false;  // PICKUP2_RUN changed
  LivePoint live;
  MonitorKept kept;

  // The label of that name; an empty view when the model has none.
  const LabelView& Label(const std::string& name) const;
  // Its text, or "" when the label keeps its caption.
  std::string Text(const std::string& name) const;
};

}  // namespace ign
