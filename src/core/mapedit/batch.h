#pragma once
// Identities of edit batches (see CTabModel::NotifyChange).
#include <cstdint>

namespace ign {

using BatchId = uint32_t;

namespace Batch {
// Ends the open batch and reports at once (typed entries, single commands).
inline constexpr BatchId kReportNow = 0;
// Opened by a mouse gesture or a structural command; reported only when
// kEndGesture closes it.
inline constexpr BatchId kGesture = 1;
// Closes an open gesture batch; does nothing when none is open.
inline constexpr BatchId kEndGesture = 2;
// Ticks after the last change of a stepping batch until it is reported.
inline constexpr int32_t kReportDelayTicks = 5;
}  // namespace Batch

// What the increment and decrement commands act on.
enum class StepTarget : uint32_t {
  kNone = 0,
  kSelection = 1,
  kLiveCell = 2,
  kBaseAdvance = 3,
};

// The identity of a stepping batch: one per target and cell, so that a held
// key on one cell is reported once and a step on another cell ends it.
constexpr BatchId StepBatch(StepTarget target, int column, int row) {
  return 0x1000000u | (static_cast<uint32_t>(target) << 20) |
         ((static_cast<uint32_t>(row + 2) & 0xFFu) << 8) | (static_cast<uint32_t>(column + 2) & 0xFFu);
}

}  // namespace ign
