#include "core/files/unit_identity.h"

namespace ign {

std::array<int, 3> MonitorCalibration(MonitorRecordView record) {
  std::array<int, 3> coefficients{};
  for (size_t i = 0; i < coefficients.size(); ++i) {
    const size_t at = 2 * (size_t(kCalibrationWord) + i);
    coefficients[i] = int16_t(uint16_t(record[at] | record[at + 1] << 8));
  }
  return coefficients;
}

IgnVersions UnitFileVersions(const CUnitInfo& unit, const uint8_t* connectedRecord) {
  IgnVersions v;
  const UnitInfo& texts = unit.Texts();
  // The Bike page's labels of the unit's program: version, date, time.
  v.hexDate = texts.productionDate;
  v.hexTime = texts.productionTime;
  v.hexVersion = texts.name;
  v.unit = texts;
  v.versionText = unit.VersionText();
  if (connectedRecord)
    v.calibration = MonitorCalibration(MonitorRecordView(connectedRecord, kMonitorLen + 1));
  return v;
}

IgnVersions UnitFileVersions(const CUnitInfo& unit, const CCommMachine& machine) {
  const bool answered = machine.Connected() && machine.VersionState() != 0;
  return UnitFileVersions(unit, answered ? machine.MonitorRecord().data() : nullptr);
}

}  // namespace ign
