#pragma once
// The parts of the table's own scroll bars: two arrows, the track and the
// thumb, and what a press or a thumb drag does to the position.
#include "core/mapedit/geometry.h"

namespace ign {

enum class ScrollPart { kNone, kArrowBack, kTrackBack, kThumb, kTrackForward, kArrowForward };

struct ScrollBarParts {
  bool horizontal = true;
  Rect bar, arrowBack, arrowForward, track, thumb;
};

inline constexpr int kMinThumbLength = 8;

// Arrows as long as the bar is thick (shorter when the bar is short), the
// track between them, the thumb sized page / total of the track and placed
// by position / (total - page). An inactive bar has an empty thumb.
ScrollBarParts ScrollBarLayout(const Rect& bar, bool horizontal, const ScrollBarRange& range, int position);
ScrollPart ScrollBarHitTest(const ScrollBarParts& parts, int x, int y);

// The position after pressing (or holding) a part: arrows move by 1, the
// track by a page towards the press; thumb and none leave it.
int ScrollAfterPress(ScrollPart part, int position, const ScrollBarRange& range);
// The position while the thumb is dragged by delta px from where it was
// pressed at startPosition, proportional to the free track.
int ThumbDragPosition(const ScrollBarParts& parts, const ScrollBarRange& range, int startPosition, int delta);

}  // namespace ign
