// TMainForm: undo and redo of committed edits (Tools menu), and the commit of
// an image change made outside the pages.
#include <QAction>
#include <QCheckBox>
#include <QTabWidget>

#include "core/device/engine.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/tool_bar.h"
#include "ui/pages/pages.h"

namespace ign {

void TMainForm::SetUndoButtons(bool canUndo, bool canRedo) {
  menu_->Item("MenuZpet")->setEnabled(canUndo);
  menu_->Item("MenuZnovu")->setEnabled(canRedo);
}

void TMainForm::FocusProgramAfterChange() { ToolBar().ProgramAfterChange()->setFocus(); }

void TMainForm::CreateUndoRing() {
  // The session programs every committed change while the box is ticked.
  connect(ToolBar().ProgramAfterChange(), &QCheckBox::toggled, this,
          [this](bool on) { session_->SetProgramAfterChange(on); });
  // A pending change is committed first: it is the step that undo takes back.
  connect(menu_->Item("MenuZpet"), &QAction::triggered, this, [this] {
    pages_->CommitPending();
    Undo().Undo();
  });
  connect(menu_->Item("MenuZnovu"), &QAction::triggered, this, [this] {
    pages_->CommitPending();
    Undo().Redo();
  });
}

// The page whose controls the dispatcher holds: during a page switch it is
// still the page the change was made on.
int TMainForm::ActivePageIndex() const { return pages_ ? pages_->ActivePage() : settings_.activePage; }

void TMainForm::ShowPage(int page) {
  if (page >= 0 && page < layout_->pageControl->count()) layout_->pageControl->setCurrentIndex(page);
}

bool TMainForm::CommitImageChange() { return session_->CommitEdit(); }

}  // namespace ign
