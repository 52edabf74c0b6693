#pragma once
// The tool bar of the main window: the file and device speed buttons, undo and
// redo, and the "Programming after change" box. Each button carries the menu
// item of the same command, so captions, enabled states and shortcuts follow it.
#include <QCheckBox>
#include <QGroupBox>
#include <QToolButton>

namespace ign {

class TMainMenu;

// A speed button whose click with Shift or Ctrl held carries out another menu
// command (Shift-click Save: a quick-saved version; Ctrl-click Open and Save:
// the preset file in the program's folder). A plain click, and a modified one
// whose command is not available now, carries out the button's own command.
class TSpeedButton : public QToolButton {
 public:
  explicit TSpeedButton(QWidget* parent) : QToolButton(parent) {}
  void SetAlternate(Qt::KeyboardModifier modifier, QAction* action);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void nextCheckState() override;

 private:
  QAction* shift_ = nullptr;
  QAction* control_ = nullptr;
  Qt::KeyboardModifiers modifiers_;
};

class TToolBar {
 public:
  TToolBar(QWidget* parent, const TMainMenu& menu);

  QGroupBox* Box() const { return box_; }
  QCheckBox* ProgramAfterChange() const { return progHned_; }
  bool ProgramAfterChangeChecked() const { return progHned_->isChecked(); }

 private:
  TSpeedButton* Button(const char* name, const char* action, const TMainMenu& menu);
  void ShowProgramAfterChangeState();

  QGroupBox* box_ = nullptr;
  QCheckBox* progHned_ = nullptr;
};

}  // namespace ign
