// Mouse of the map editor: tabs, title line, toolbar, scroll bars, the
// +/- buttons, fill and copy gestures, selecting, typed-entry carets, the
// wheel, and the steps the tick runs for held buttons and dragging.
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "core/mapedit/format.h"
#include "core/mapedit/mouse_select.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {

using G = TabViewState::Gesture;

Hit EntryHit(const TypedEntry& e) {
  if (e.row == -1) return Hit{HitKind::kXHeader, e.column, -1};
  if (e.column == -1) return Hit{HitKind::kYHeader, -1, e.row};
  return Hit{HitKind::kCell, e.column, e.row};
}

uint32_t FastFlagOf(const Hit& hit) {
  if (hit.kind == HitKind::kXHeader) return SheetFlag::kFastStepX;
  if (hit.kind == HitKind::kYHeader) return SheetFlag::kFastStepY;
  return SheetFlag::kFastStepData;
}

}  // namespace

void TTab::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  v_.pointerX = at.x();
  v_.pointerY = at.y();
  if (event->button() == Qt::LeftButton) {
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    PressLeft(event);
  } else if (event->button() == Qt::RightButton && v_.gesture == G::kNone) {
    OpenContextMenu(at);
  }
  Flush();
}

void TTab::PressLeft(QMouseEvent* event) {
  CSheet* sheet = model_.Active();
  if (!sheet || v_.gesture != G::kNone) return;
  const int x = static_cast<int>(event->position().x()), y = static_cast<int>(event->position().y());
  if (v_.entry.active) {
    if (ValueRect(v_.layout, EntryHit(v_.entry)).Contains(x, y)) {
      EntryMoveCaret(v_.entry, CaretFromClick(v_.entryBoundaries, x), false);
      v_.gesture = G::kEntryText;
      RequestRepaint();
      return;
    }
    CommitTypedEntry();
  }
  for (std::size_t i = 0; i < v_.tabs.size(); ++i) {
    if (!v_.tabs[i].Contains(x, y)) continue;
    if (static_cast<int>(i) != model_.ActiveIndex()) {
      SelectSheet(static_cast<int>(i));
      ReportSheetChanged(0);
    }
    return;
  }
  if (v_.titleLine.Contains(x, y) && (sheet->flags & SheetFlag::kCanDisable) &&
      (!model_.ShowsLive() || x < v_.titleLine.left + 15)) {
    Execute(Cmd::kEnable);
    return;
  }
  if (PressToolbar(x, y) || PressScrollBar(x, y)) return;
  if (v_.viewSwitch.Contains(x, y)) {
    if (model_.Compact()) {
      SetProportional(!v_.graph.proportional);
    } else {
      Execute(v_.view == View::kTable ? Cmd::kView2D : Cmd::kViewTable);
    }
    return;
  }
  if (PressGraph(x, y, event->modifiers()) || v_.view != View::kTable) return;
  const Hover hover = HoverAt(v_.layout, *sheet, x, y);
  v_.gestureX = x;
  v_.gestureY = y;
  switch (hover.kind) {
    case HoverKind::kFillHandle:
      v_.gesture = G::kFill;
      v_.target = FillTarget(*sheet, 0, 0);
      RequestRepaint();
      return;
    case HoverKind::kBorder:
      v_.gesture = G::kCopy;
      v_.target = CopyTarget(*sheet, 0, 0);
      RequestRepaint();
      return;
    case HoverKind::kInterpolation: Execute(Cmd::kInterpolate); return;
    case HoverKind::kPlus:
    case HoverKind::kMinus: PressPlusMinus(hover); return;
    default: break;
  }
  const Hit hit = HitTest(v_.layout, x, y);
  if (CornerClick(*sheet, hit.kind)) {
    UpdateTabStop();
    RequestRepaint();
    return;
  }
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (BeginMouseSelection(*sheet, hit, mods & Qt::ShiftModifier, mods & Qt::ControlModifier)) {
    v_.gesture = G::kSelect;
    RequestRepaint();
  }
}

bool TTab::PressToolbar(int x, int y) {
  for (std::size_t i = 0; i < v_.toolbar.buttons.size(); ++i) {
    const ToolButton& b = v_.toolbar.buttons[i];
    if (!b.rect.Contains(x, y)) continue;
    if (!b.enabled) return true;
    if (b.toggle) {
      Execute(b.code);
    } else {
      v_.pressedButton = static_cast<int>(i);
      v_.gesture = G::kToolButton;
      RequestRepaint();
    }
    return true;
  }
  return false;
}

bool TTab::PressScrollBar(int x, int y) {
  const CSheet* sheet = model_.Active();
  for (const bool horizontal : {true, false}) {
    const ScrollBarParts& bar = horizontal ? v_.hBar : v_.vBar;
    if (bar.bar.Empty() || v_.view != View::kTable) continue;
    const ScrollPart part = ScrollBarHitTest(bar, x, y);
    if (part == ScrollPart::kNone) {
      if (bar.bar.Contains(x, y)) return true;
      continue;
    }
    CommitTypedEntry();
    v_.scrollHorizontal = horizontal;
    v_.scrollPart = part;
    v_.pressTick = nowTick_;
    v_.gestureX = x;
    v_.gestureY = y;
    const int position = horizontal ? sheet->x.firstVisible : sheet->y.firstVisible;
    if (part == ScrollPart::kThumb) {
      v_.gesture = G::kThumb;
      v_.thumbStart = position;
    } else {
      v_.gesture = G::kScroll;
      SetScrollPosition(horizontal, ScrollAfterPress(part, position, horizontal ? v_.hRange : v_.vRange));
    }
    RequestRepaint();
    return true;
  }
  return false;
}

void TTab::StepHovered(const Hit& target, int step) {
  CSheet* sheet = model_.Active();
  if (!sheet || !ValueEditable(*sheet, target)) return;
  CommitTypedEntry();
  if (!HitSelected(*sheet, target)) {
    Select(*sheet, SelKindOfHit(target.kind), target.column, target.row, target.column, target.row);
    sheet->sel.anchorX = sheet->sel.currentX = target.column;
    sheet->sel.anchorY = sheet->sel.currentY = target.row;
    UpdateTabStop();
  }
  // Steps of a held +/- button belong to its gesture and report at release.
  const bool held = v_.gesture == G::kPlusMinus;
  StepValues(model_, step, nowTick_, held ? std::optional<BatchId>(Batch::kGesture) : std::nullopt);
  RequestRepaint();
}

void TTab::PressPlusMinus(const Hover& hover) {
  v_.pressedValue = hover;
  v_.pressTick = nowTick_;
  v_.gesture = G::kPlusMinus;
  StepHovered(hover.target, hover.kind == HoverKind::kPlus ? 1 : -1);
}

void TTab::AutoRepeat() {
  if (v_.gesture == G::kPlusMinus) {
    const CSheet* sheet = model_.Active();
    const bool fast = sheet && (sheet->flags & FastFlagOf(v_.pressedValue.target));
    const int step = HoldStep(nowTick_ - v_.pressTick, fast);
    if (step > 0)
      StepHovered(v_.pressedValue.target, v_.pressedValue.kind == HoverKind::kPlus ? step : -step);
  } else if (v_.gesture == G::kScroll && ScrollRepeatDue(nowTick_ - v_.pressTick)) {
    const ScrollBarParts& bar = v_.scrollHorizontal ? v_.hBar : v_.vBar;
    // The track repeats until the thumb reaches the pointer.
    if (ScrollBarHitTest(bar, v_.pointerX, v_.pointerY) != v_.scrollPart) return;
    const CSheet* sheet = model_.Active();
    const int position = v_.scrollHorizontal ? sheet->x.firstVisible : sheet->y.firstVisible;
    SetScrollPosition(v_.scrollHorizontal,
                      ScrollAfterPress(v_.scrollPart, position, v_.scrollHorizontal ? v_.hRange : v_.vRange));
    Relayout();
  }
}

void TTab::DragAutoscroll() {
  if (v_.gesture != G::kSelect) return;
  const Outside o = OutsideCells(v_.layout, v_.pointerX, v_.pointerY);
  bool scrolled = false;
  if (o.dx != 0 && DragScrollDue(nowTick_, std::abs(o.dx)))
    ScrollBy(true, o.dx > 0 ? 1 : -1), scrolled = true;
  if (o.dy != 0 && DragScrollDue(nowTick_, std::abs(o.dy)))
    ScrollBy(false, o.dy > 0 ? 1 : -1), scrolled = true;
  if (!scrolled) return;
  Relayout();
  DragTo(v_.pointerX, v_.pointerY);
}

void TTab::DragTo(int x, int y) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  switch (v_.gesture) {
    case G::kSelect: {
      const Cursor c = NearestShownPoint(v_.layout, x, y);
      const int kind = sheet->sel.building;
      DragMouseSelection(*sheet, kind == SelKind::kYPoints ? -1 : c.column,
                         kind == SelKind::kXPoints ? -1 : c.row);
      break;
    }
    case G::kFill:
    case G::kCopy: {
      const int dc =
          static_cast<int>(static_cast<float>(x - v_.gestureX) / std::max(v_.layout.cellWidth, 1.0f));
      const int dr =
          static_cast<int>(static_cast<float>(y - v_.gestureY) / std::max(v_.layout.cellHeight, 1.0f));
      v_.target = v_.gesture == G::kFill ? FillTarget(*sheet, dc, dr) : CopyTarget(*sheet, dc, dr);
      break;
    }
    case G::kEntryText: EntryMoveCaret(v_.entry, CaretFromClick(v_.entryBoundaries, x), true); break;
    case G::kGraph: DragGraph(x, y); return;
    case G::kThumb: {
      const ScrollBarParts& bar = v_.scrollHorizontal ? v_.hBar : v_.vBar;
      const int delta = v_.scrollHorizontal ? x - v_.gestureX : y - v_.gestureY;
      SetScrollPosition(
          v_.scrollHorizontal,
          ThumbDragPosition(bar, v_.scrollHorizontal ? v_.hRange : v_.vRange, v_.thumbStart, delta));
      break;
    }
    default: return;
  }
  RequestRepaint();
}

void TTab::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  v_.pointerX = at.x();
  v_.pointerY = at.y();
  v_.graph.shift = event->modifiers() & Qt::ShiftModifier;
  v_.graph.ctrl = event->modifiers() & Qt::ControlModifier;
  if (v_.gesture == G::kNone) {
    UpdateHover(at.x(), at.y());
  } else {
    DragTo(at.x(), at.y());
  }
  Flush();
}

void TTab::Release(int x, int y) {
  CSheet* sheet = model_.Active();
  const G gesture = v_.gesture;
  v_.gesture = G::kNone;
  v_.scrollPart = ScrollPart::kNone;
  if (!sheet) return;
  switch (gesture) {
    case G::kSelect:
      EndMouseSelection(*sheet);
      UpdateTabStop();
      break;
    case G::kFill: ApplyFill(model_, v_.target, nowTick_); break;
    case G::kCopy: ApplyCopy(model_, v_.target, nowTick_); break;
    case G::kPlusMinus: model_.NotifyChange(0, Batch::kEndGesture, nowTick_); break;
    case G::kGraph: ReleaseGraph(x, y); break;
    case G::kToolButton: {
      const int i = v_.pressedButton;
      v_.pressedButton = -1;
      if (i >= 0 && i < static_cast<int>(v_.toolbar.buttons.size()) &&
          v_.toolbar.buttons[i].rect.Contains(x, y))
        Execute(v_.toolbar.buttons[static_cast<std::size_t>(i)].code);
      break;
    }
    default: break;
  }
  UpdateHover(x, y);
  RequestRepaint();
}

void TTab::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  Release(at.x(), at.y());
  Flush();
}

void TTab::mouseDoubleClickEvent(QMouseEvent* event) {
  CSheet* sheet = model_.Active();
  if (event->button() != Qt::LeftButton || !sheet || v_.view != View::kTable) return;
  const int x = static_cast<int>(event->position().x()), y = static_cast<int>(event->position().y());
  if (v_.entry.active) return;
  const Hit hit = HitTest(v_.layout, x, y);
  if (!ValueEditable(*sheet, hit) || HoverAt(v_.layout, *sheet, x, y).kind != HoverKind::kValue) return;
  const Cursor at{hit.kind == HitKind::kYHeader ? -1 : hit.column,
                  hit.kind == HitKind::kXHeader ? -1 : hit.row};
  const CAxe& axis = hit.kind == HitKind::kXHeader   ? sheet->x
                     : hit.kind == HitKind::kYHeader ? sheet->y
                                                     : sheet->data;
  const int32_t value = hit.kind == HitKind::kXHeader ? sheet->x.values[static_cast<std::size_t>(hit.column)]
                        : hit.kind == HitKind::kYHeader ? sheet->y.values[static_cast<std::size_t>(hit.row)]
                                                        : sheet->Cell(hit.column, hit.row);
  v_.gesture = G::kNone;
  if (!StartTypedEntry(at, FormatValue(value, axis.scale))) return;
  ComputeEntryBoundaries();
  EntryMoveCaret(v_.entry, CaretFromClick(v_.entryBoundaries, x), false);
  Flush();
}

void TTab::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  const int sign = delta > 0 ? 1 : -1;
  const CSheet* sheet = model_.Active();
  const QPoint at = event->position().toPoint();
  if (sheet && WheelGraph(at.x(), at.y(), sign, event->modifiers())) {
    event->accept();
    Flush();
    return;
  }
  if (!sheet || v_.view != View::kTable) return;
  const Hover& h = v_.hover;
  if (h.kind == HoverKind::kPlus || h.kind == HoverKind::kMinus || h.kind == HoverKind::kValue) {
    StepHovered(h.target, sign);
  } else if (v_.vRange.active) {
    ScrollBy(false, -sign);
  } else if (v_.hRange.active) {
    ScrollBy(true, -sign);
  }
  event->accept();
  Flush();
}

void TTab::leaveEvent(QEvent*) {
  if (v_.gesture != G::kNone) return;
  v_.hover = Hover{};
  v_.hoverTab = v_.hoverButton = -1;
  v_.graph.hover = GraphTarget{};
  SetHint(nullptr);
  RequestRepaint();
  Flush();
}

void TTab::UpdateHover(int x, int y) {
  const CSheet* sheet = model_.Active();
  Hover hover;
  if (sheet && v_.view == View::kTable) hover = HoverAt(v_.layout, *sheet, x, y);
  int tab = -1, button = -1;
  for (std::size_t i = 0; i < v_.tabs.size(); ++i) {
    if (v_.tabs[i].Contains(x, y)) tab = static_cast<int>(i);
  }
  for (std::size_t i = 0; i < v_.toolbar.buttons.size(); ++i) {
    if (v_.toolbar.buttons[i].rect.Contains(x, y)) button = static_cast<int>(i);
  }
  const bool inGraph = HoverGraph(x, y);
  if (inGraph) hover = Hover{};
  const bool overEntry = v_.entry.active && ValueRect(v_.layout, EntryHit(v_.entry)).Contains(x, y);
  if (overEntry) hover = Hover{};
  if (hover != v_.hover || tab != v_.hoverTab || button != v_.hoverButton) RequestRepaint();
  v_.hover = hover;
  v_.hoverTab = tab;
  v_.hoverButton = button;
  setCursor(overEntry                              ? Qt::IBeamCursor
            : hover.kind == HoverKind::kFillHandle ? Qt::CrossCursor
            : hover.kind == HoverKind::kBorder     ? Qt::SizeAllCursor
                                                   : Qt::ArrowCursor);
  if (button >= 0) {
    SetHint(v_.toolbar.buttons[static_cast<std::size_t>(button)].hint);
  } else if (inGraph && v_.graph.hover.corner) {
    SetHint(MapText::kHintInterpolation);
  } else if (inGraph && !v_.viewSwitch.Contains(x, y)) {
    SetHintText(QString::fromStdString(v_.graph.status));
  } else if (hover.kind == HoverKind::kInterpolation) {
    SetHint(MapText::kHintInterpolation);
  } else if (v_.viewSwitch.Contains(x, y)) {
    SetHint(model_.Compact() ? MapText::kHintProportional : MapText::kHintViewSwitch);
  } else {
    SetHint(nullptr);
  }
}

}  // namespace ign
