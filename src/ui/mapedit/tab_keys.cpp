// Keyboard of the map editor: the commands' keys first, then the typed
// entry or the cursor moves of the table view.
#include <QKeyEvent>

#include "core/mapedit/format.h"
#include "core/mapedit/mouse_select.h"
#include "core/mapedit/navigation.h"
#include "core/mapedit/selection.h"
#include "core/text/lngstr.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {

std::optional<NavKey> NavKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left: return NavKey::kLeft;
    case Qt::Key_Right: return NavKey::kRight;
    case Qt::Key_Up: return NavKey::kUp;
    case Qt::Key_Down: return NavKey::kDown;
    case Qt::Key_Home: return NavKey::kHome;
    case Qt::Key_End: return NavKey::kEnd;
    case Qt::Key_PageUp: return NavKey::kPageUp;
    case Qt::Key_PageDown: return NavKey::kPageDown;
    case Qt::Key_Return:
    case Qt::Key_Enter: return NavKey::kEnter;
    default: return std::nullopt;
  }
}

char CharOf(const QKeyEvent* k) {
  const QString text = k->text();
  if (text.size() != 1 || text[0].unicode() > 0x7F) return 0;
  return static_cast<char>(text[0].unicode());
}

Hit HitOf(Cursor c) {
  if (c.IsXHeader()) return Hit{HitKind::kXHeader, c.column, -1};
  if (c.IsYHeader()) return Hit{HitKind::kYHeader, -1, c.row};
  return Hit{HitKind::kCell, c.column, c.row};
}

}  // namespace

bool TTab::HandleKey(QKeyEvent* k) {
  if (!model_.Active()) return false;
  if (HandleCommandKey(k)) return true;
  if (v_.view == View::kGraph3D && k->key() == Qt::Key_Space) {
    v_.graph.view3D.values = (v_.graph.view3D.values + 1) % (Values3D::kAll + 1);
    RequestRepaint();
    return true;
  }
  if (v_.view != View::kTable) return false;
  if (v_.entry.active) return HandleEntryKey(k);
  return HandleNavigationKey(k);
}

bool TTab::HandleCommandKey(QKeyEvent* k) {
  const Qt::KeyboardModifiers mods =
      k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const char c = CharOf(k);
  if ((c == '+' || c == '-') && !v_.entry.active && !(mods & Qt::ControlModifier)) {
    Execute(c == '+' ? Cmd::kIncrement : Cmd::kDecrement);
    return true;
  }
  const bool ctrl = mods == Qt::ControlModifier;
  if ((ctrl && k->key() == Qt::Key_C) || (ctrl && k->key() == Qt::Key_Insert)) {
    Execute(Cmd::kCopy);
    return true;
  }
  if ((ctrl && k->key() == Qt::Key_V) || (mods == Qt::ShiftModifier && k->key() == Qt::Key_Insert)) {
    Execute(Cmd::kPaste);
    return true;
  }
  if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) return SwitchSheetByKey(k);
  return false;
}

bool TTab::SwitchSheetByKey(QKeyEvent* k) {
  const int n = model_.SheetCount();
  if (n < 2) return false;
  int next = -1;
  if (k->modifiers() & Qt::ControlModifier) {
    const int previous = model_.PreviousIndex();
    if (previous >= 0 && previous < n && !model_.Sheet(previous).hidden) next = previous;
  } else {
    const int direction = (k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier)) ? -1 : 1;
    for (int step = 1; step < n && next < 0; ++step) {
      const int i = ((model_.ActiveIndex() + direction * step) % n + n) % n;
      if (!model_.Sheet(i).hidden) next = i;
    }
  }
  if (next >= 0 && next != model_.ActiveIndex()) {
    SelectSheet(next);
    ReportSheetChanged(0);
  }
  return true;
}

bool TTab::HandleEntryKey(QKeyEvent* k) {
  TypedEntry& e = v_.entry;
  const bool shift = k->modifiers() & Qt::ShiftModifier;
  RequestRepaint();
  switch (k->key()) {
    case Qt::Key_Backspace: EntryErase(e, false); return true;
    case Qt::Key_Delete: EntryErase(e, true); return true;
    case Qt::Key_Left: EntryMoveCaret(e, e.caret - 1, shift); return true;
    case Qt::Key_Right: EntryMoveCaret(e, e.caret + 1, shift); return true;
    case Qt::Key_Home: EntryMoveCaret(e, 0, shift); return true;
    case Qt::Key_End: EntryMoveCaret(e, static_cast<int>(e.text.size()), shift); return true;
    case Qt::Key_Escape: DiscardTypedEntry(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: CommitTypedEntry(); return HandleNavigationKey(k);
    default: break;
  }
  const char c = CharOf(k);
  if (EntryAccepts(c)) {
    EntryInsert(e, c);
    return true;
  }
  return false;
}

Cursor TTab::CurrentCursor() const {
  const CSheet& s = *model_.Active();
  const TSel& sel = s.sel;
  Cursor c{sel.currentX, sel.currentY};
  if (sel.kind == SelKind::kColumns && c.row < 0) c.row = s.ShownRowBegin();
  if (sel.kind == SelKind::kRows && c.column < 0) c.column = s.ShownColumnBegin();
  const bool valid =
      (c.column >= 0 && c.column < s.x.count && (c.row == -1 || (c.row >= 0 && c.row < s.y.count))) ||
      (c.column == -1 && c.row >= 0 && c.row < s.y.count);
  if (!valid) c = Cursor{s.ShownColumnBegin(), s.ShownRowBegin()};
  return c;
}

void TTab::MoveTo(Cursor to, bool extend) {
  CSheet& s = *model_.Active();
  TSel& sel = s.sel;
  if (extend) {
    Cursor anchor{sel.anchorX, sel.anchorY};
    if (anchor.column < 0 || anchor.row < 0 || SelKind::OnCells(sel.kind) == false) anchor = CurrentCursor();
    if (anchor.column < 0 || anchor.row < 0) anchor = to;
    Select(s, SelKind::kCells, anchor.column, anchor.row, to.column, to.row);
    sel.anchorX = anchor.column;
    sel.anchorY = anchor.row;
  } else {
    const int kind = to.IsXHeader()   ? SelKind::kXPoints
                     : to.IsYHeader() ? SelKind::kYPoints
                                      : SelKind::kCells;
    Select(s, kind, to.column, to.row, to.column, to.row);
    sel.anchorX = to.column;
    sel.anchorY = to.row;
  }
  sel.currentX = to.column;
  sel.currentY = to.row;
  ScrollTo(to.column, to.row);
  UpdateTabStop();
  RequestRepaint();
}

bool TTab::HandleNavigationKey(QKeyEvent* k) {
  const CSheet& s = *model_.Active();
  const bool shift = k->modifiers() & Qt::ShiftModifier;
  if (const std::optional<NavKey> nav = NavKeyOf(k->key())) {
    const Cursor from = CurrentCursor();
    if (shift && *nav != NavKey::kEnter) {
      MoveTo(ExtendCursor(s, from, *nav), true);
    } else {
      MoveTo(MoveCursor(s, from, *nav), false);
    }
    return true;
  }
  switch (k->key()) {
    case Qt::Key_Escape:
      if (s.sel.Empty()) return false;
      ClearSelection(model_.Active()->sel);
      RequestRepaint();
      return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return StartTypedEntry(CurrentCursor(), std::string());
    case Qt::Key_Insert: {
      if (k->modifiers() != Qt::NoModifier) return false;
      const Cursor at = CurrentCursor();
      const CAxe& axis = at.IsXHeader() ? s.x : at.IsYHeader() ? s.y : s.data;
      const int32_t value = at.IsXHeader()   ? s.x.values[static_cast<std::size_t>(at.column)]
                            : at.IsYHeader() ? s.y.values[static_cast<std::size_t>(at.row)]
                                             : s.Cell(at.column, at.row);
      return StartTypedEntry(at, FormatValue(value, axis.scale));
    }
    default: break;
  }
  const char c = CharOf(k);
  if (c == ' ' || c == ',' || c == '.' || (c >= '0' && c <= '9')) {
    if (!StartTypedEntry(CurrentCursor(), std::string())) return false;
    EntryInsert(v_.entry, c);
    return true;
  }
  return false;
}

bool TTab::StartTypedEntry(Cursor at, const std::string& text) {
  CSheet* s = model_.Active();
  if (!s || !ValueEditable(*s, HitOf(at))) return false;
  if (s->sel.currentX != at.column || s->sel.currentY != at.row || s->sel.Empty()) MoveTo(at, false);
  ScrollTo(at.column, at.row);
  StartEntry(v_.entry, at.column, at.row, text);
  RequestRepaint();
  return true;
}

bool TTab::CommitTypedEntry() {
  if (!v_.entry.active) return false;
  const TypedEntry entry = v_.entry;
  StopEntry(v_.entry);
  RequestRepaint();
  TypedOutcome outcome;
  const bool stored = model_.StoreTypedValue(entry.column, entry.row, entry.text, nowTick_, &outcome);
  if (stored) TellTypedOutcome(entry.column, entry.row, entry.text, outcome);
  return stored;
}

void TTab::TellTypedOutcome(int column, int row, const std::string& text, const TypedOutcome& outcome) {
  const CSheet* sheet = model_.Active();
  if (!sheet || !outcome.Changed()) return;
  const CAxe& axis = row == -1 ? sheet->x : column == -1 ? sheet->y : sheet->data;
  std::string name = sheet->name;
  if (&axis != &sheet->data && !axis.label.empty()) {
    // "Advance 1, RPM" in each language: the axis label follows the sheet's name.
    const CPackedText sheetName(sheet->name.c_str()), label(axis.label.c_str());
    name = "###";
    for (int language = 0; language < 3; ++language) {
      if (language) name += "##";
      name += std::string(sheetName.Resolve(language)) + ", " + label.Resolve(language);
    }
  }
  const auto shown = [&](int32_t v) { return FormatValue(v, axis.scale); };
  std::string typed = text;
  typed.erase(0, typed.find_first_not_of(' '));
  typed.erase(typed.find_last_not_of(' ') + 1);
  const std::string note = TypedValueNote(name, typed, shown(outcome.minimum), shown(outcome.maximum),
                                          shown(outcome.result), outcome.Outside());
  v_.flash = {true, column, row};
  if (!flashTimer_) {
    flashTimer_ = new QTimer(this);
    flashTimer_->setSingleShot(true);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
      v_.flash = {};
      RequestRepaint();
      Flush();
    });
  }
  flashTimer_->start(kFlashMs);
  RequestRepaint();
  if (noteSink_) noteSink_(note);
}

void TTab::DiscardTypedEntry() {
  StopEntry(v_.entry);
  RequestRepaint();
}

}  // namespace ign
