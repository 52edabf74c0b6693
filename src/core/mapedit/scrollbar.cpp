#include "core/mapedit/scrollbar.h"

#include <algorithm>
#include <cmath>

namespace ign {

ScrollBarParts ScrollBarLayout(const Rect& bar, bool horizontal, const ScrollBarRange& range, int position) {
  ScrollBarParts p;
  p.horizontal = horizontal;
  p.bar = bar;
  const int length = horizontal ? bar.Width() : bar.Height();
  const int thickness = horizontal ? bar.Height() : bar.Width();
  const int arrow = std::max(0, std::min(thickness, length / 2));
  const int trackLength = std::max(0, length - 2 * arrow);
  int thumbLength = 0, thumbOffset = 0;
  if (range.active && range.total > 0 && trackLength > 0) {
    thumbLength = std::clamp(static_cast<int>(static_cast<long long>(trackLength) * range.page / range.total),
                             std::min(kMinThumbLength, trackLength), trackLength);
    const int free = trackLength - thumbLength;
    const int pos = std::clamp(position, 0, range.maxPosition);
    thumbOffset = range.maxPosition > 0
                      ? static_cast<int>(std::lround(static_cast<double>(free) * pos / range.maxPosition))
                      : 0;
  }
  const auto span = [&](int from, int to) {
    return horizontal ? Rect{bar.left + from, bar.top, bar.left + to, bar.bottom}
                      : Rect{bar.left, bar.top + from, bar.right, bar.top + to};
  };
  p.arrowBack = span(0, arrow);
  p.arrowForward = span(length - arrow, length);
  p.track = span(arrow, arrow + trackLength);
  p.thumb = thumbLength > 0 ? span(arrow + thumbOffset, arrow + thumbOffset + thumbLength) : Rect{};
  return p;
}

ScrollPart ScrollBarHitTest(const ScrollBarParts& p, int x, int y) {
  if (!p.bar.Contains(x, y)) return ScrollPart::kNone;
  if (p.arrowBack.Contains(x, y)) return ScrollPart::kArrowBack;
  if (p.arrowForward.Contains(x, y)) return ScrollPart::kArrowForward;
  if (p.thumb.Empty()) return ScrollPart::kNone;
  if (p.thumb.Contains(x, y)) return ScrollPart::kThumb;
  const bool before = p.horizontal ? x < p.thumb.left : y < p.thumb.top;
  return before ? ScrollPart::kTrackBack : ScrollPart::kTrackForward;
}

int ScrollAfterPress(ScrollPart part, int position, const ScrollBarRange& range) {
  if (!range.active) return std::clamp(position, 0, range.maxPosition);
  switch (part) {
    case ScrollPart::kArrowBack: return std::clamp(position - 1, 0, range.maxPosition);
    case ScrollPart::kArrowForward: return std::clamp(position + 1, 0, range.maxPosition);
    case ScrollPart::kTrackBack: return ScrollPage(position, range, false);
    case ScrollPart::kTrackForward: return ScrollPage(position, range, true);
    default: return std::clamp(position, 0, range.maxPosition);
  }
}

int ThumbDragPosition(const ScrollBarParts& p, const ScrollBarRange& range, int startPosition, int delta) {
  if (!range.active || range.maxPosition <= 0) return 0;
  const int track = p.horizontal ? p.track.Width() : p.track.Height();
  const int thumb = p.horizontal ? p.thumb.Width() : p.thumb.Height();
  const int free = track - thumb;
  if (free <= 0) return std::clamp(startPosition, 0, range.maxPosition);
  const double moved = static_cast<double>(delta) * range.maxPosition / free;
  return std::clamp(startPosition + static_cast<int>(std::lround(moved)), 0, range.maxPosition);
}

}  // namespace ign
