#pragma once
// A small host window for map editor tests: the advance-map editor (two
// 15 x 10 sheets, editor flags 113) at the Advance Map page's size, or a
// power output's compact switch map, with helpers that drive the editor
// through real Qt events at positions taken from the layout.
#include <QPoint>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/mapedit/geometry.h"
#include "core/text/message_box.h"
#include "ui/mapedit/map_editor.h"

namespace ign::test {

struct EditorHost {
  std::unique_ptr<QWidget> window;
  TTab* editor = nullptr;
  std::vector<unsigned> reports;  // changed masks reported to the owner
  int32_t tick = 0;

  CSheet& Sheet() { return *editor->Model().Active(); }
  const TableLayout& Layout() const { return editor->Layout(); }
  // Runs n main-timer ticks.
  void Tick(int n = 1);
};

// The advance map editor: cell (c, r) holds c + r; X 1000 .. 8000 rpm.
std::unique_ptr<EditorHost> MakeAdvanceHost(int columns = 15, int width = 1000, int height = 450);
// A power output's switch map (compact layout, identifier 25).
std::unique_ptr<EditorHost> MakeSwitchHost();

QPoint Centre(const Rect& r);
QPoint CellCentre(const EditorHost& h, int column, int row);
void Press(TTab* w, QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
void Release(TTab* w, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void Move(TTab* w, QPoint at, Qt::MouseButtons buttons = Qt::NoButton);
// A left-button drag: move there, press, move with the button held, release.
void Drag(TTab* w, QPoint from, QPoint to);
void Click(TTab* w, QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = {}, const QString& text = {});
void Type(QWidget* w, const QString& text);

// Captures message boxes while alive.
class MessageCatcher : public IMessageBox {
 public:
  MessageCatcher() : previous_(SetMessageBox(this)) {}
  ~MessageCatcher() override { SetMessageBox(previous_); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;

 private:
  IMessageBox* previous_;
};

}  // namespace ign::test
