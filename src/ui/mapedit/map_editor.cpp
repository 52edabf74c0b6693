#include "ui/mapedit/map_editor.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "core/mapedit/format.h"
#include "core/mapedit/geometry.h"
#include "core/mapedit/mouse_select.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "core/text/relabel.h"
#include "ui/mapedit/clipboard_formats.h"
#include "ui/mapedit/editor_list.h"
#include "ui/mapedit/print_view.h"
#include "ui/mapedit/tab_overlay.h"
#include "ui/mapedit/table_painter.h"

namespace ign {

TTab::TTab(int identifier, uint32_t editorFlags, QWidget* parent)
    : QWidget(parent), model_(editorFlags, identifier) {
  setObjectName(QStringLiteral("TTab%1").arg(identifier));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  model_.SetOnSheetChanged([this](CTabModel&, unsigned changed) { ReportSheetChanged(changed); });
  TClipboardFormats::Instance();  // the private format, known from the first editor on
  relabelId_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] { Relabel(); });
}

TTab::~TTab() {
  UnregisterRelabelStep(relabelId_);
  if (lastMenu_) delete lastMenu_.data();
}

void TTab::ReportSheetChanged(unsigned changed) {
  RequestRepaint();
  if (onSheetChanged_) onSheetChanged_(*this, changed);
}

bool TTab::SelectSheet(int index) {
  if (index < 0 || index >= model_.SheetCount()) return false;
  CommitTypedEntry();
  CancelGesture();
  const bool done = model_.SelectSheet(index);
  v_.hover = Hover{};
  RequestRelayout();
  Flush();
  return done;
}

void TTab::SetAccessibleTitle(const QString& title) {
  accessibleTitle_ = title;
  if (const CSheet* sheet = model_.Active()) setAccessibleName(AccessibleNameOf(*sheet));
}

QString TTab::AccessibleNameOf(const CSheet& sheet) const {
  const QString name = QString::fromStdString(Shown(sheet.name));
  return accessibleTitle_.isEmpty() ? name : accessibleTitle_ + QStringLiteral(": ") + name;
}

void TTab::Relabel() {
  const QFontMetrics metrics(font());
  for (int s = 0; s < model_.SheetCount(); ++s) {
    CSheet& sheet = model_.Sheet(s);
    sheet.nameWidth = SheetNameWidth(sheet.name, [&](std::string_view t) {
      return metrics.horizontalAdvance(QString::fromUtf8(t.data(), static_cast<int>(t.size())));
    });
  }
  if (const CSheet* sheet = model_.Active()) setAccessibleName(AccessibleNameOf(*sheet));
  RequestRelayout();
  Flush();
}

void TTab::Relayout() {
  relayout_ = false;
  CSheet* sheet = model_.Active();
  const QFontMetrics metrics(font());
  for (int s = 0; s < model_.SheetCount(); ++s) {
    CSheet& each = model_.Sheet(s);
    if (each.nameWidth == 0) {
      each.nameWidth = SheetNameWidth(each.name, [&](std::string_view t) {
        return metrics.horizontalAdvance(QString::fromUtf8(t.data(), static_cast<int>(t.size())));
      });
    }
  }
  if (sheet && accessibleName().isEmpty()) setAccessibleName(AccessibleNameOf(*sheet));
  v_.tabs.clear();
  if (model_.SheetCount() > 0) {
    v_.tabs = SheetTabRects(
        std::span<const CSheet>(&model_.Sheet(0), static_cast<std::size_t>(model_.SheetCount())),
        model_.ActiveIndex());
  }
  const int reserved = ToolbarReservedWidth(model_, kAvailableViews);
  v_.toolbarLine = ToolbarLineFor(v_.tabs, width() - kRightMargin - reserved);
  v_.frame = TableFrame{width(),
                        height(),
                        ViewTop(model_.EditorFlags(), model_.SheetCount(), v_.toolbarLine),
                        logicalDpiX() > 0 ? logicalDpiX() : 96,
                        model_.EditorFlags(),
                        model_.MaxVisibleColumns(),
                        model_.MaxVisibleRows()};
  if (!sheet) return;
  sheet->x.firstVisible = ClampFirstVisible(sheet->x.firstVisible, sheet->x.count,
                                            VisibleCount(sheet->x.count, model_.MaxVisibleColumns(), false));
  sheet->y.firstVisible = ClampFirstVisible(sheet->y.firstVisible, sheet->y.count,
                                            VisibleCount(sheet->y.count, model_.MaxVisibleRows(), false));
  v_.layout = ComputeTableLayout(*sheet, v_.frame);
  const TableLayout& t = v_.layout;
  v_.besideGraph = v_.view == View::kTable ? GraphBesideTable(t, v_.frame) : BesideGraph{};
  v_.hRange = ScrollRange(sheet->x.count, model_.MaxVisibleColumns(), sheet->x.collapsed);
  v_.vRange = ScrollRange(sheet->y.count, model_.MaxVisibleRows(), sheet->y.collapsed);
  v_.hBar = v_.hRange.active ? ScrollBarLayout(HorizontalScrollBarRect(t), true, v_.hRange, t.firstColumn)
                             : ScrollBarParts{};
  v_.vBar = v_.vRange.active ? ScrollBarLayout(VerticalScrollBarRect(t), false, v_.vRange, t.firstRow)
                             : ScrollBarParts{};
  const bool sensorTitle = model_.SheetCount() == 1 && (model_.EditorFlags() & EditorFlag::kSensorPage);
  const int titleX = CellAreaRect(t).right - t.leftMargin < 200 ? 0 : 10;
  const int titleTop = model_.ShowsLive() ? 5 : 1;
  v_.titleLine = sensorTitle ? Rect{titleX, titleTop, width(), titleTop + 15} : Rect{};
  const Rect cells = CellAreaRect(t);
  if (model_.Compact()) {
    const int top = cells.bottom + 5;
    v_.viewSwitch = Rect{t.leftMargin, top, t.leftMargin + t.rowHeaderWidth, top + 16};
  } else if (!model_.ShowsLive() && (OfferedViews(model_.EditorFlags()) & kAvailableViews & View::kGraph2D)) {
    const int left = t.leftMargin + t.rowHeaderWidth;
    v_.viewSwitch = v_.view == View::kTable ? Rect{left - 10, cells.bottom, left + 2, cells.bottom + 12}
                                            : Rect{t.leftMargin, height() - t.bottomMargin - 12,
                                                   t.leftMargin + 12, height() - t.bottomMargin};
  } else {
    v_.viewSwitch = Rect{};
  }
  UpdateGraphArea();
  RefreshToolbar();
  const std::array<int, 3> shape{model_.ActiveIndex(), sheet->y.count, sheet->x.count};
  if (shape != accessibleShape_) {
    accessibleShape_ = shape;
    if (QAccessible::isActive()) {
      QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
      QAccessible::updateAccessibility(&reset);
    }
  }
}

void TTab::SetProportional(bool on) {
  v_.graph.proportional = on;
  v_.graph.switchHover = SwitchTarget{};
  RequestRelayout();
  Flush();
}

void TTab::SetColouring3D(int colouring) {
  v_.graph.view3D.colouring = std::clamp(colouring, 0, Colouring3D::kMax);
  RequestRepaint();
}

void TTab::RefreshToolbar() {
  ToolbarContext c;
  c.controlWidth = width();
  c.toolbarLine = v_.toolbarLine;
  c.view = v_.view;
  c.offeredViews = kAvailableViews;
  c.typedHighlight = v_.entry.active && v_.entry.HasHighlight();
  c.preset3D = PresetOf(v_.graph.view3D);
  c.clipboardHasSheet = TClipboardFormats::Instance().HasSheet();
  c.clipboardHasText = TClipboardFormats::Instance().HasText();
  c.viewArea = Rect{0, v_.frame.viewTop, width(), height()};
  c.tableRight = CellAreaRect(v_.layout).right;
  c.tableTop = v_.layout.topMargin;
  v_.toolbar = BuildToolbar(model_, c);
  std::vector<std::pair<bool, bool>> states;
  for (ToolButton& b : v_.toolbar.buttons) {
    states.emplace_back(b.enabled, b.checked);
  }
  if (states != toolbarStates_) {
    toolbarStates_ = std::move(states);
    RequestRepaint();
  }
}

void TTab::SetHint(const char* packed) {
  SetHintText(packed ? QString::fromStdString(Shown(packed)) : QString());
}

void TTab::SetHintText(const QString& text) {
  if (text == hint_) return;
  hint_ = text;
  if (hintSink_) {
    hintSink_(hint_);
  } else {
    // "short|long": the tooltip shows the short part, or the long one alone.
    const qsizetype bar = hint_.indexOf(QLatin1Char('|'));
    const QString shortHint = bar < 0 ? hint_ : hint_.left(bar);
    setToolTip(shortHint.isEmpty() && bar >= 0 ? hint_.mid(bar + 1) : shortHint);
  }
}

void TTab::UpdateTabStop() {
  const CSheet* sheet = model_.Active();
  const bool keep = hasFocus() || (sheet && !sheet->sel.Empty() && v_.view == View::kTable);
  setFocusPolicy(keep ? Qt::StrongFocus : Qt::ClickFocus);
}

void TTab::CancelGesture() {
  if (CSheet* sheet = model_.Active(); sheet && sheet->sel.building != SelKind::kNone) {
    CancelMouseSelection(*sheet);
  }
  if (v_.gesture == TabViewState::Gesture::kPlusMinus) model_.NotifyChange(0, Batch::kEndGesture, nowTick_);
  if (v_.graph.dragging) EndGraphDrag(model_, nowTick_);
  if (v_.graph.switchDragging) model_.NotifyChange(0, Batch::kEndGesture, nowTick_);
  v_.graph.dragging = v_.graph.banding = v_.graph.switchDragging = false;
  v_.gesture = TabViewState::Gesture::kNone;
  v_.pressedButton = -1;
  v_.scrollPart = ScrollPart::kNone;
  RequestRepaint();
}

void TTab::SetScrollPosition(bool horizontal, int position) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  CommitTypedEntry();
  CAxe& axis = horizontal ? sheet->x : sheet->y;
  const ScrollBarRange& range = horizontal ? v_.hRange : v_.vRange;
  if (!range.active) return;
  const int next = std::clamp(position, 0, range.maxPosition);
  if (next == axis.firstVisible) return;
  axis.firstVisible = next;
  RequestRelayout();
}

void TTab::ScrollBy(bool horizontal, int lines) {
  const CSheet* sheet = model_.Active();
  if (!sheet) return;
  SetScrollPosition(horizontal, (horizontal ? sheet->x.firstVisible : sheet->y.firstVisible) + lines);
}

void TTab::ScrollTo(int column, int row) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  if (column >= 0 && !sheet->x.collapsed) {
    const int visible = VisibleCount(sheet->x.count, model_.MaxVisibleColumns(), false);
    SetScrollPosition(true, ScrollIntoView(sheet->x.firstVisible, visible, sheet->x.count, column));
  }
  if (row >= 0 && !sheet->y.collapsed) {
    const int visible = VisibleCount(sheet->y.count, model_.MaxVisibleRows(), false);
    SetScrollPosition(false, ScrollIntoView(sheet->y.firstVisible, visible, sheet->y.count, row));
  }
}

QFont TTab::CellFont(const CAxe& axis, bool editable) const {
  return AxisFont(font(), axis.fontSize, editable);
}

void TTab::ComputeEntryBoundaries() {
  v_.entryBoundaries.clear();
  const CSheet* sheet = model_.Active();
  if (!v_.entry.active || !sheet) return;
  const TypedEntry& e = v_.entry;
  const CAxe& axis = e.row == -1 ? sheet->x : e.column == -1 ? sheet->y : sheet->data;
  const QFontMetrics metrics(AxisFont(font(), axis.fontSize > 0 ? axis.fontSize : 0, true));
  const Hit hit = e.row == -1      ? Hit{HitKind::kXHeader, e.column, -1}
                  : e.column == -1 ? Hit{HitKind::kYHeader, -1, e.row}
                                   : Hit{HitKind::kCell, e.column, e.row};
  const Rect r = ValueRect(v_.layout, hit);
  const QString text = QString::fromStdString(e.text);
  const int left = (r.left + r.right - metrics.horizontalAdvance(text)) / 2 + 2;
  for (int i = 0; i <= text.size(); ++i)
    v_.entryBoundaries.push_back(left + metrics.horizontalAdvance(text.left(i)));
}

void TTab::RedrawNow() {
  if (relayout_) Relayout();
  repaint_ = false;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(std::max(1, static_cast<int>(width() * ratio)),
                     std::max(1, static_cast<int>(height() * ratio)));
  if (bitmap_.size() != pixels) {
    bitmap_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    bitmap_.setDevicePixelRatio(ratio);
  }
  if (const CSheet* sheet = model_.Active()) FillPreview(*sheet, v_.preview);
  ComputeEntryBoundaries();
  RecomputeGraph();
  QPainter p(&bitmap_);
  PaintEditor(p, model_, v_, font(), hasFocus());
  if (overlay_) overlay_->Paint(p, *this);
  ++redrawCount_;
}

void TTab::Flush() {
  if (!repaint_ && !relayout_) return;
  RedrawNow();
  update();
}

void TTab::UpdateLive(int32_t nowTick) {
  nowTick_ = nowTick;
  CTabModel::TickHooks hooks;
  hooks.autoRepeat = [this] { AutoRepeat(); };
  hooks.blinkCaret = [this] {
    if (!v_.entry.active) return;
    const bool before = CaretVisible(v_.entry.blink);
    ++v_.entry.blink;
    if (CaretVisible(v_.entry.blink) != before) update();
  };
  hooks.refreshToolbar = [this] { RefreshToolbar(); };
  hooks.dragAutoscroll = [this] { DragAutoscroll(); };
  const CTabModel::TickResult result = model_.UpdateLive(nowTick, isVisible(), hooks);
  if (overlay_) overlay_->Tick(*this);
  if (result.languageChanged) Relabel();
  if (result.liveCellChanged) RequestRelayout();
  if (result.liveRpmChanged && !v_.graph.area.Empty()) RequestRepaint();
  Flush();
}

bool TTab::event(QEvent* e) {
  // Tab belongs to the sheet switching while this control has the focus.
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && HandleKey(key)) {
      Flush();
      return true;
    }
  }
  if (e->type() == QEvent::ToolTip && overlay_) {
    const QPoint at = static_cast<QHelpEvent*>(e)->pos();
    const Hit hit = HitTest(v_.layout, at.x(), at.y());
    const QString note = hit.kind == HitKind::kCell ? overlay_->CellNote(hit.column, hit.row) : QString();
    if (!note.isEmpty()) {
      QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), note, this);
      return true;
    }
  }
  // A wheel turned while a button is held would change values under a gesture.
  if (e->type() == QEvent::Wheel &&
      (static_cast<QWheelEvent*>(e)->buttons() != Qt::NoButton || v_.gesture != TabViewState::Gesture::kNone))
    return true;
  return QWidget::event(e);
}

void TTab::SetOverlay(TTabOverlay* overlay) {
  overlay_ = overlay;
  RequestRepaint();
}

void TTab::SetPrinting(bool on) {
  if (printing_ == on) return;
  printing_ = on;
  RequestRepaint();
  update();
}

void TTab::paintEvent(QPaintEvent*) {
  if (printing_) {
    if (relayout_) Relayout();
    QPainter p(this);
    PaintPrinted(p, model_, v_, font());
    return;
  }
  if (repaint_ || relayout_ || bitmap_.isNull()) RedrawNow();
  QPainter p(this);
  p.drawImage(0, 0, bitmap_);
  const TypedEntry& e = v_.entry;
  if (e.active && hasFocus() && CaretVisible(e.blink) &&
      e.caret < static_cast<int>(v_.entryBoundaries.size())) {
    const CSheet* sheet = model_.Active();
    const Hit hit = e.row == -1      ? Hit{HitKind::kXHeader, e.column, -1}
                    : e.column == -1 ? Hit{HitKind::kYHeader, -1, e.row}
                                     : Hit{HitKind::kCell, e.column, e.row};
    const Rect r = ValueRect(v_.layout, hit);
    const QFontMetrics metrics(AxisFont(font(), sheet ? sheet->data.fontSize : 0, true));
    const int x = v_.entryBoundaries[static_cast<std::size_t>(e.caret)];
    const int top = (r.top + r.bottom - metrics.height()) / 2;
    p.fillRect(QRect(x, top, 2, metrics.height()), Qt::black);
  }
}

void TTab::resizeEvent(QResizeEvent*) {
  RequestRelayout();
  Flush();
}

void TTab::focusInEvent(QFocusEvent*) {
  UpdateTabStop();
  RequestRepaint();
  Flush();
}

void TTab::focusOutEvent(QFocusEvent* event) {
  // A menu of this control takes the focus for a moment; the entry stays.
  if (event->reason() == Qt::PopupFocusReason) return;
  CommitTypedEntry();
  CancelGesture();
  const CSheet* sheet = model_.Active();
  setFocusPolicy(sheet && !sheet->sel.Empty() && v_.view == View::kTable ? Qt::StrongFocus : Qt::ClickFocus);
  RequestRepaint();
  Flush();
}

TTab* TTab::FocusedMapEditor() { return qobject_cast<TTab*>(QApplication::focusWidget()); }

bool TTab::RouteToFocusedEditor(QKeyEvent* key) {
  TTab* editor = FocusedMapEditor();
  return editor && editor->RouteKey(key);
}

bool TTab::StepFocusedEditor(int step) {
  TTab* editor = FocusedMapEditor();
  if (!editor) return false;
  editor->Execute(step >= 0 ? Cmd::kIncrement : Cmd::kDecrement);
  return true;
}

bool TTab::RouteKey(QKeyEvent* key) {
  const bool used = HandleKey(key);
  Flush();
  return used;
}

void TTab::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(event)) {
    QWidget::keyPressEvent(event);
    return;
  }
  Flush();
}

}  // namespace ign
