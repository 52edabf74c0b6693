#pragma once
// Editing commands on the active sheet of a CTabModel. Each command checks
// that the sheet is usable (enabled, available, not hidden) and that the
// part it changes is editable (or resizable); otherwise it changes nothing
// and returns false. Changes report through NotifyChange in their batches.
#include <array>
#include <cstdint>
#include <optional>

#include "core/mapedit/model.h"

namespace ign {

// Command codes (the toolbar button index is the command code).
namespace Cmd {
inline constexpr int kCopy = 0;
inline constexpr int kCopyTable = 1;
inline constexpr int kPaste = 2;
inline constexpr int kIncrement = 3;
inline constexpr int kDecrement = 4;
inline constexpr int kViewTable = 5;
inline constexpr int kView2D = 6;
inline constexpr int kView3D = 7;
inline constexpr int kUseOnlyX = 13;  // collapse Y
inline constexpr int kUseOnlyY = 14;  // collapse X
inline constexpr int kUseBoth = 15;
inline constexpr int kPresetTop = 16;
inline constexpr int kPresetIso1 = 17;
inline constexpr int kPresetIso2 = 18;
inline constexpr int kEnable = 19;
inline constexpr int kAddColumn = 23;
inline constexpr int kRemoveColumn = 24;
inline constexpr int kCopyGraph = 40;
inline constexpr int kInterpolate = 101;
inline constexpr int kScrollHorizontal = 1001;
inline constexpr int kScrollVertical = 1002;
}  // namespace Cmd

// What increment and decrement act on now: the selection when it holds an
// item, else (sheets following the live point with a positive live state)
// the base advance while the live rpm is below the first column of a sheet
// showing that marker, else the live cell when it lies in the table with
// editable data.
StepTarget StepActsOn(const CTabModel& model);

// Increment (+1) or decrement (-1), and the held-button steps (+-10):
// selected X points, Y points and cells of editable parts change by step
// in one batch of the selection; else the base-advance marker changes by
// step x data scale, or the live cell by step, each in its own batch.
// With batch given, every target reports in that batch instead (a held
// +/- button steps inside its gesture batch).
bool StepValues(CTabModel& model, int step, int32_t nowTick, std::optional<BatchId> batch = std::nullopt);

// The values Interpolate would produce over the selection's rectangle:
// bilinear over cells (axis values as weights on numeric axes, indices
// otherwise, 0.5 where a weight's denominator is 0), linear by index over
// a run of axis points; rounded half away from zero. Written into buffer
// at the cells' indices (row pitch 50) or the points' indices. False
// without a rectangle.
bool ComputeInterpolation(const CSheet& sheet, std::array<int32_t, kMaxCells>& buffer);
// The preview buffer of the table: the current values of the selection's
// kind (X values, Y values or all cells), overlaid with the interpolation
// over a rectangle.
void FillPreview(const CSheet& sheet, std::array<int32_t, kMaxCells>& buffer);
// Interpolates the rectangle (at least 3 selected items), reports, and
// clears the selection.
bool Interpolate(CTabModel& model, int32_t nowTick);

// Inserts a column before column b (b = count adds one at the end) in the
// active sheet and in every sheet of its linked group. Refused silently
// when X is not resizable or collapsed; at capacity the "column count is on
// maximum" message is shown and nothing changes. The new column is selected
// and scrolled into view.
bool InsertColumn(CTabModel& model, int b, int32_t nowTick);
bool InsertRow(CTabModel& model, int b, int32_t nowTick);
// Deletes the fully selected columns (or selected X points), stopping at
// the minimum count, in the linked sheets as well. Returns the number
// deleted. Refused when X is not resizable or collapsed.
int DeleteSelectedColumns(CTabModel& model, int32_t nowTick);
int DeleteSelectedRows(CTabModel& model, int32_t nowTick);
// "Remove column": deletes the last column; its values stay stored beyond
// the count, so that "Add column" can bring its X value back.
bool RemoveLastColumn(CTabModel& model, int32_t nowTick);

// Use only X (Cmd::kUseOnlyX), only Y (kUseOnlyY) or both (kUseBoth), when
// the axis to collapse is collapsible by the user (both: no axis under the
// owner's control). Clears the selection and reports all parts.
bool UseDimensions(CTabModel& model, int code, int32_t nowTick);
// Enabled becomes !(enabled && available) on sheets that may be disabled.
bool ToggleEnabled(CTabModel& model, int32_t nowTick);

// The views offered by editor flags (View bits) and the view a request
// gives: the requested one if offered, else the next offered one in the
// order table, 2D, 3D, table.
int OfferedViews(uint32_t editorFlags);
int NextOfferedView(int requested, uint32_t editorFlags);

// Runs the data commands among the command codes (increment, decrement,
// use only/both, enable, add and remove column, interpolate). Returns
// false for other codes and for commands that changed nothing.
bool ExecuteDataCommand(CTabModel& model, int code, int32_t nowTick);

}  // namespace ign
