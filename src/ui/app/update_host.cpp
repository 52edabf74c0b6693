// TMainForm: the update check and the help links. The check itself lives in
// TUpdateCheck (ui/update); the window gives it the status panel, the busy
// test of the unit operations, its settings writer and its close.
#include <QAction>
#include <cstdlib>

#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "core/update/update_sources.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/status_widgets.h"
#include "ui/update/update_check.h"

namespace ign {

namespace {
constexpr const char* kCheckAtStartCaption =
    "###Check for updates at start##Beim Start nach Updates suchen##Kontrolovat aktualizace při startu";
}  // namespace

void TMainForm::StartUpdateCheck() {
  UpdateHooks hooks;
  hooks.window = [this] { return static_cast<QWidget*>(this); };
  hooks.setHint = [this](const std::string& text) { panels_->SetText(0, text); };
  hooks.unitBusy = [this] { return session_->OperationRunning(); };
  hooks.saveSettings = [this] { WriteAppSettings(); };
  hooks.closeWindow = [this] { close(); };
  update_ = std::make_unique<TUpdateCheck>(
      std::move(hooks), ReadUpdateSources([this](const char* n) { return config_.Variable(n); }), buildDate_,
      paths_.appIni);
  update_->Start(noPatchCheck_);

  QAction* download = menu_->Item("MenuUpdate");
  QAction* contents = menu_->Item("MenuContens");
  QAction* atStart = menu_->Item("MenuUpdateCheck");
  // Without a web host there is no download page; the manuals become the
  // user guide shipped with the program.
  download->setEnabled(update_->HasWebHost());
  contents->setEnabled(true);
  atStart->setChecked(update_->CheckAtStart());
  connect(download, &QAction::triggered, this, &TMainForm::MenuUpdateClick);
  connect(contents, &QAction::triggered, this, &TMainForm::MenuContensClick);
  connect(atStart, &QAction::toggled, this, [this](bool on) { update_->SetCheckAtStart(on); });
  auto relabel = [atStart] { atStart->setText(QString::fromUtf8(LngStr(kCheckAtStartCaption))); };
  relabel();
  relabelSteps_.push_back(RegisterRelabelStep(RelabelOrder::MenuCaptions, relabel));
}

void TMainForm::PollUpdateCheck() {
  if (update_) update_->Poll(tickCount_);
}

void TMainForm::StopUpdateCheck() {
  if (update_) update_->Stop();
}

void TMainForm::MenuUpdateClick() {
  if (update_) update_->MenuUpdateClick();
}

void TMainForm::MenuContensClick() {
  if (update_) update_->MenuContensClick();
}

}  // namespace ign
