#pragma once
// The calibration sheets of the Sensors page in their map editors: the
// throttle sensor's two voltages, the pressure sensor's two points and the
// lambda curve (kept, never shown). Plain C++ on the editors' models, so the
// copy rules are tested without widgets.
#include "core/mapedit/model.h"
#include "core/params/image.h"

namespace ign {

constexpr uint32_t kSensorEditorFlags = 304;    // table and 2D views, title line of a one-sheet editor
constexpr uint32_t kSensorSheetFlags = 0x7A2;   // axes swapped in graphs, curves end at their points
constexpr int32_t kSensorMaxMillivolts = 5000;  // the calibration voltages
constexpr int32_t kSensorMaxKilopascals = 999;  // the pressure points
constexpr int kSensorTpRow0 = 0, kSensorTpRow100 = 1;

// "TP sensor": one column (the X axis collapsed by the program), rows 0 %
// and 100 %, cells in mV shown in volts.
void BuildThrottleSheet(CTabModel& model);
// "IAP sensor": two editable pressure points (kPa), their voltages in the cells.
void BuildPressureSheet(CTabModel& model);
// "Lambda sensor": AFR 0..25.0 against the voltage, six rows.
void BuildLambdaSheet(CTabModel& model);

// TPS words 0 and 1 into the throttle sheet's rows, and back.
void LoadThrottleSheet(CTabModel& model, const Image& img);
void CopyThrottleSheet(const CTabModel& model, Image& img);
// IAP_SENSOR words 2..5 (pressure 1, voltage 1, pressure 2, voltage 2), and back.
void LoadPressureSheet(CTabModel& model, const Image& img);
void CopyPressureSheet(const CTabModel& model, Image& img);

// A live voltage into the throttle sheet's row (clamped to the data limits).
void SetThrottleCell(CTabModel& model, int row, int32_t millivolts);

}  // namespace ign
