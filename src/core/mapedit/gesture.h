#pragma once
// Arithmetic of the fill-handle and copy-by-dragging gestures, in stored
// integers, followed by normalisation. Targets are always clipped to (fill)
// or pushed back inside (copy) the shown part of the sheet; nothing is
// written outside the counts.
#include <cstdint>
#include <optional>

#include "core/mapedit/model.h"

namespace ign {

// An inclusive box of points: columns c0..c1 and rows r0..r1 of cells; for
// X points the rows are -1, for Y points the columns are -1.
struct GestureBox {
  int c0 = -1, r0 = -1, c1 = -1, r1 = -1;
  bool operator==(const GestureBox&) const = default;
};

// The selection's bounding box, when there is a selection.
std::optional<GestureBox> SelectionBox(const CSheet& sheet);

// Whether the gestures are offered: a usable sheet with a selection whose
// target (X, Y or data) is editable.
bool GestureAllowed(const CSheet& sheet);

// Fill target: the selection box with its far (bottom-right) corner moved
// by whole cells; a corner moved past the near corner flips the box. Axis
// selections move only along their axis. Clipped to the shown points.
GestureBox FillTarget(const CSheet& sheet, int dColumns, int dRows);
// Copy target: the box shifted by whole cells, pushed back inside.
GestureBox CopyTarget(const CSheet& sheet, int dColumns, int dRows);

// Applies a fill from the selection box to target as one gesture batch:
// one value is repeated; a run along one axis keeps its values and
// continues the slopes of its first and last two points; a block keeps its
// cells and continues its edge slopes (both added at the corners). The
// target becomes the selection. False when not offered.
bool ApplyFill(CTabModel& model, const GestureBox& target, int32_t nowTick);
// Copies the stored values of the selection box to target (same offsets).
bool ApplyCopy(CTabModel& model, const GestureBox& target, int32_t nowTick);

}  // namespace ign
