#pragma once
// The servo map in its map editor: one sheet "Servo" over rpm and load,
// loaded from the image and copied back by the Servo page's rule. Plain C++
// on the editor's model, so the rules are tested without widgets.
#include "core/mapedit/model.h"
#include "core/params/image.h"

namespace ign {

constexpr uint32_t kServoEditorFlags = 113;   // live, table, 2D and 3D views
constexpr uint32_t kServoSheetFlags = 0x609;  // live, can be disabled, limiter and start-limiter markers
// Windows colour values of the cells: percent and volts.
constexpr uint32_t kServoPercentColour = 0xCEF0FF;
constexpr uint32_t kServoVoltColour = 0xCEDBFF;

// SERVO_MAP: the dimensions the map uses.
namespace ServoMap {
constexpr int kRpmOnly = 0, kLoadOnly = 1, kBoth = 2;
}

void BuildServoSheet(CTabModel& model);

// The data axis in percent (0..100, scale 1) or in volts (0..250 steps of
// 0.02 V), with its label, unit, suffix and cell colour.
void SetServoDataAxis(CSheet& sheet, bool percent);

// Every one of the 1500 cells into the other unit: to percent
// floor(cell x 0.4 + 0.5), to volts floor(cell x 2.5 + 0.5).
void ConvertServoCells(CSheet& sheet, bool toPercent);

// The Y axis by the load sensor (as the advance maps: fixed throttle points,
// or the SERVO_IAP pressure points), the collapse from SERVO_MAP, the
// enabled state, the rpm points, the cells, the used columns and the data
// axis by SERVO_PERCENT; normalised with reset.
void LoadServoSheet(CTabModel& model, const Image& img);

// SERVO_MAP from the collapse state: Y collapsed 0, X collapsed 1, neither 2.
// Without a load sensor the collapse is the program's and the byte stays.
int ServoMapFromCollapse(const CSheet& sheet);
// The pressure points (with the pressure sensor and a load row in use) and
// SERVO_MAP.
void StoreServoMode(const CTabModel& model, Image& img);
// The rpm points, the cells (each row's columns beyond the used count filled
// with its last used cell) and SERVO_COLUMNS.
void CopyServoSheet(const CTabModel& model, Image& img);

}  // namespace ign
