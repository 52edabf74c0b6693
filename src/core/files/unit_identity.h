#pragma once
// What a saved settings file carries of the unit besides the image: the
// "VERSIONS" lines (the unit's program labels, its information and version
// text) and the unit's three monitor calibration coefficients. The window and
// ignctl both take these values from here, so a file saved from either with
// the same unit connected is the same file.
#include <array>
#include <cstdint>
#include <span>

#include "core/device/comm_machine.h"
#include "core/files/ign_writer.h"
#include "core/files/unit_info.h"

namespace ign {

// The monitor record words that carry the calibration coefficients, signed,
// in the order the file writes them (EE, FLASH, NEW): words 40..42, record
// indexes 80..85.
constexpr int kCalibrationWord = 40;

using MonitorRecordView = std::span<const uint8_t, kMonitorLen + 1>;  // index 0 unused

std::array<int, 3> MonitorCalibration(MonitorRecordView record);

// unit: the unit information as the front end keeps it (texts decoded from the
// last header read, version text from the last monitor record; all empty
// before a unit has been connected). connectedRecord: the last monitor record
// of the unit connected now, or nothing when no unit is connected or it has
// not answered a monitor request yet; only then are the coefficients written.
IgnVersions UnitFileVersions(const CUnitInfo& unit, const uint8_t* connectedRecord);

// The same for the machine's unit: its monitor record counts while the unit is
// connected and has answered a monitor request since it connected.
IgnVersions UnitFileVersions(const CUnitInfo& unit, const CCommMachine& machine);

}  // namespace ign
