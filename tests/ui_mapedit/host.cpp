#include "tests/ui_mapedit/host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "tests/mapedit/fixtures.h"
#include "tests/ui/qt_app.h"
#include "ui/mapedit/editor_list.h"

namespace ign::test {

void EditorHost::Tick(int n) {
  for (int i = 0; i < n; ++i) editor->UpdateLive(++tick);
}

namespace {

std::unique_ptr<EditorHost> Show(std::unique_ptr<EditorHost> h) {
  h->editor->SetOnSheetChanged([raw = h.get()](TTab&, unsigned changed) { raw->reports.push_back(changed); });
  h->window->show();
  h->editor->setFocus();
  QApplication::setActiveWindow(h->window.get());
  QCoreApplication::processEvents();
  h->Tick();
  return h;
}

}  // namespace

std::unique_ptr<EditorHost> MakeAdvanceHost(int columns, int width, int height) {
  App();
  auto h = std::make_unique<EditorHost>();
  h->window = std::make_unique<QWidget>();
  h->window->resize(width + 20, height + 20);
  h->editor = CreateMapEditor(0, width, height, kAdvanceEditorFlags, h->window.get());
  CTabModel& m = h->editor->Model();
  for (const char* name :
       {"###Advance 1##Vorzündung 1##Předstih 1", "###Advance 2##Vorzündung 2##Předstih 2"}) {
    // At least 15 columns of capacity: DefineAdvanceSheet writes 15 rpm values.
    m.AddSheet(name, "RPM", "TP", "###Advance##Vorzündung##Předstih", std::max(columns, 15), 10,
               kAdvanceSheetFlags);
  }
  for (int s = 0; s < 2; ++s) {
    DefineAdvanceSheet(m, s);
    CSheet& sheet = m.Sheet(s);
    if (columns != 15) {
      sheet.x.count = columns;
      for (int i = 0; i < columns; ++i) sheet.x.values[static_cast<std::size_t>(i)] = 10 + 5 * i;
    }
    for (int r = 0; r < 10; ++r) {
      for (int c = 0; c < columns; ++c) sheet.Cell(c, r) = c + r;
    }
    m.NormaliseSheet(s, Change::kAll | Change::kReset);
  }
  m.Sheet(0).curveColour = 0x0000FF;
  m.Sheet(1).curveColour = 0xFF0000;
  h->editor->SelectSheet(0);
  return Show(std::move(h));
}

std::unique_ptr<EditorHost> MakeSwitchHost() {
  App();
  auto h = std::make_unique<EditorHost>();
  h->window = std::make_unique<QWidget>();
  h->window->resize(340, 170);
  h->editor = CreateMapEditor(25, 320, 150, kSwitchEditorFlags, h->window.get());
  CTabModel& m = h->editor->Model();
  m.SetMaxVisible(4, 3);
  DefineSwitchSheet(m);
  CSheet& sheet = m.Sheet(0);
  sheet.titleTextSize = 10;
  sheet.x.fontSize = sheet.y.fontSize = 8;
  SetValues(sheet.x, {20, 40, 60});
  SetValues(sheet.y, {30, 70});
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  h->editor->SelectSheet(0);
  return Show(std::move(h));
}

QPoint Centre(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

QPoint CellCentre(const EditorHost& h, int column, int row) {
  return Centre(CellRect(h.Layout(), column, row));
}

void Press(TTab* w, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(at), QPointF(w->mapToGlobal(at)), button, button, mods);
  QApplication::sendEvent(w, &e);
}

void Release(TTab* w, QPoint at, Qt::MouseButton button) {
  QMouseEvent e(QEvent::MouseButtonRelease, QPointF(at), QPointF(w->mapToGlobal(at)), button, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Move(TTab* w, QPoint at, Qt::MouseButtons buttons) {
  QMouseEvent e(QEvent::MouseMove, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::NoButton, buttons,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Drag(TTab* w, QPoint from, QPoint to) {
  Move(w, from);
  Press(w, from);
  Move(w, to, Qt::LeftButton);
  Release(w, to);
}

void Click(TTab* w, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  Move(w, at);
  Press(w, at, button, mods);
  Release(w, at, button);
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    const int key = c.isDigit() ? int{Qt::Key_0} + (c.unicode() - '0')
                    : c == '-'  ? int{Qt::Key_Minus}
                                : int{c.unicode()};
    Key(w, key, {}, QString(c));
  }
}

}  // namespace ign::test
