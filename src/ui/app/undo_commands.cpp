// TMainForm: undo and redo of committed edits (Tools menu), and the commit of
// an image change made outside the pages.
#include <QAction>
#include <QTabWidget>

#include "core/device/engine.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/tool_bar.h"
#include "ui/app/undo_host.h"
#include "ui/pages/pages.h"

namespace ign {

int TUndoHost::ActivePage() const { return form_.ActivePageIndex(); }
void TUndoHost::ShowPage(int page) { form_.ShowPage(page); }
void TUndoHost::LoadPages(int) { form_.ReloadActivePage(); }
void TUndoHost::WriteSettings() { form_.WriteAppSettings(); }
void TUndoHost::SetUndoButtons(bool canUndo, bool canRedo) {
  form_.MainMenu().Item("MenuZpet")->setEnabled(canUndo);
  form_.MainMenu().Item("MenuZnovu")->setEnabled(canRedo);
}
bool TUndoHost::ProgramAfterChange() const { return form_.ToolBar().ProgramAfterChangeChecked(); }
void TUndoHost::RecordImage(const Image& img) {
  if (TMonitorCommands* m = form_.MonitorIfBuilt()) m->RecordImage(img);
}
void TUndoHost::FocusProgramAfterChange() { form_.ToolBar().ProgramAfterChange()->setFocus(); }
void TUndoHost::RequestProgramChanged() { form_.Engine().Machine().RequestProgramChanged(); }

void TMainForm::CreateUndoRing() {
  undoHost_ = std::make_unique<TUndoHost>(*this);
  undo_ = std::make_unique<CUndoRing>(params_, *undoHost_);
  // A pending change is committed first: it is the step that undo takes back.
  connect(menu_->Item("MenuZpet"), &QAction::triggered, this, [this] {
    pages_->CommitPending();
    undo_->Undo();
  });
  connect(menu_->Item("MenuZnovu"), &QAction::triggered, this, [this] {
    pages_->CommitPending();
    undo_->Redo();
  });
}

// The page whose controls the dispatcher holds: during a page switch it is
// still the page the change was made on.
int TMainForm::ActivePageIndex() const { return pages_ ? pages_->ActivePage() : settings_.activePage; }

void TMainForm::ShowPage(int page) {
  if (page >= 0 && page < layout_->pageControl->count()) layout_->pageControl->setCurrentIndex(page);
}

bool TMainForm::CommitImageChange() {
  NormaliseEditedImage();
  ReloadActivePage();
  const bool changed = undo_->TakeSnapshot();
  if (changed && layout_->toolBar->ProgramAfterChangeChecked()) engine_->Machine().RequestProgramChanged();
  return changed;
}

}  // namespace ign
