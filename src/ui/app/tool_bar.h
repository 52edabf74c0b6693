#pragma once
// The tool bar of the main window: the file and device speed buttons, undo and
// redo, and the "Programming after change" box. Each button carries the menu
// item of the same command, so captions, enabled states and shortcuts follow it.
#include <QCheckBox>
#include <QGroupBox>
#include <QToolButton>

namespace ign {

class TMainMenu;

class TToolBar {
 public:
  TToolBar(QWidget* parent, const TMainMenu& menu);

  QGroupBox* Box() const { return box_; }
  QCheckBox* ProgramAfterChange() const { return progHned_; }
  bool ProgramAfterChangeChecked() const { return progHned_->isChecked(); }

 private:
  QToolButton* Button(const char* name, const char* action, const TMainMenu& menu);
  void ShowProgramAfterChangeState();

  QGroupBox* box_ = nullptr;
  QCheckBox* progHned_ = nullptr;
};

}  // namespace ign
