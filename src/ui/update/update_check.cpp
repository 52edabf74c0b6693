#include "ui/update/update_check.h"

#include "ui/update/help_window.h"

#include <QWidget>

#include "core/text/language.h"
#include "core/text/lngstr.h"
#include "core/update/update_doc.h"
#include "ui/update/form_patch.h"
#include "ui/update/update_worker.h"
#include "ui/update/web_links.h"

namespace ign {

TUpdateCheck::TUpdateCheck(UpdateHooks hooks, UpdateSources sources, std::string programDate,
                           std::string appIni)
    : hooks_(std::move(hooks)),
      sources_(std::move(sources)),
      programDate_(std::move(programDate)),
      appIni_(std::move(appIni)),
      shared_(std::make_shared<CUpdateState>()) {}

TUpdateCheck::~TUpdateCheck() {
  Stop();
  delete dialog_.data();
}

void TUpdateCheck::Start(bool noPatchCheck) {
  settings_ = LoadUpdateSettings(appIni_);
  enabled_ =
      !noPatchCheck && !sources_.checkDisabled && settings_.checkAtStart && !sources_.documentUrl.empty();
  if (!enabled_ || worker_) return;
  worker_ = std::make_unique<TUpdateWorker>(shared_, sources_.documentUrl, sources_.network);
  worker_->start();
}

void TUpdateCheck::Stop() {
  pending_.reset();
  closePending_ = false;
  if (!worker_) return;
  if (!worker_->Stop()) {
    // Still inside a network call after the join limit: the thread is left
    // to end on its own (it holds its own share of the state), never
    // destroyed while it runs.
    worker_.release();
    return;
  }
  worker_.reset();
}

TFormPatch* TUpdateCheck::Dialog() const { return dialog_.data(); }

bool TUpdateCheck::WorkerRunning() const { return worker_ && worker_->isRunning(); }

void TUpdateCheck::Poll(uint32_t tickCount) {
  const UpdateState state = shared_->State();
  if (state == UpdateState::Idle) {
    if (enabled_ && worker_ && tickCount >= kFirstTick && shared_->Request())
      hooks_.setHint(LngStr(TryingUpdatesText()));
  } else if (state == UpdateState::Finished && shared_->MarkHandled()) {
    HandleDocument(shared_->Data());
  }
  if (pending_ && !showQueued_ && !dialog_ && !hooks_.unitBusy()) {
    showQueued_ = true;
    QMetaObject::invokeMethod(this, &TUpdateCheck::ShowOffer, Qt::QueuedConnection);
  }
  if (closePending_ && !hooks_.unitBusy()) {
    closePending_ = false;
    QMetaObject::invokeMethod(
        this, [this] { hooks_.closeWindow(); }, Qt::QueuedConnection);
  }
}

void TUpdateCheck::HandleDocument(std::string_view document) {
  std::optional<UpdateEntry> entry;
  if (!document.empty()) entry = ChooseUpdate(document, programDate_);
  if (entry) pending_ = DecideOffer(*entry, CurrentLanguage(), settings_.dismissed);
  if (!pending_) EndCheck();
}

bool TUpdateCheck::OfferDocument(const std::string& document) {
  pending_.reset();
  HandleDocument(document);
  if (!pending_) return false;
  ShowOffer();
  return true;
}

void TUpdateCheck::ShowOffer() {
  showQueued_ = false;
  if (!pending_ || dialog_) return;
  if (hooks_.unitBusy()) return;  // the next tick queues it again
  QWidget* window = hooks_.window();
  auto* dialog = new TFormPatch(window);
  dialog_ = dialog;
  dialog->Fill(*pending_, CurrentLanguage());
  dialog->openWeb = [dialog](const std::string& address) { OpenAddress(dialog, address); };
  if (window) {
    const QRect frame = window->frameGeometry();
    dialog->move(frame.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
  }
  connect(dialog, &QDialog::finished, this, &TUpdateCheck::DialogFinished);
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->show();
}

void TUpdateCheck::DialogFinished(int result) {
  std::optional<UpdateOffer> offer = std::move(pending_);
  pending_.reset();
  if (dialog_) dialog_->deleteLater();
  dialog_ = nullptr;
  if (!offer) return;
  QWidget* window = hooks_.window();
  if (result == TFormPatch::kDismiss) {
    settings_.dismissed = offer->number;
    SaveUpdateSettings(appIni_, settings_);
    hooks_.saveSettings();
  } else if (result == TFormPatch::kDownload && !offer->download.empty()) {
    if (OpenAddress(window, offer->download)) {
      ShowUpdateMessage(window, LngStr(DownloadNoteCaption()), LngStr(DownloadNoteText(offer->download)));
      closePending_ = true;  // the next tick closes the window once no unit operation runs
    }
  }
  EndCheck();
}

void TUpdateCheck::EndCheck() { hooks_.setHint(""); }

bool TUpdateCheck::HasWebHost() const {
  return !HelpLinkAddress(sources_.webBase, HelpLink::Download, LNG_ENGLISH).empty();
}

void TUpdateCheck::MenuUpdateClick() {
  const std::string address = HelpLinkAddress(sources_.webBase, HelpLink::Download, CurrentLanguage());
  if (!address.empty()) OpenAddress(hooks_.window(), address);
}

// The manuals of the web host go to the browser; the guide that came with the
// program opens in the program's own help window, which also stands in when
// no browser can be started.
void TUpdateCheck::MenuContensClick() {
  const std::string address = HelpLinkAddress(sources_.webBase, HelpLink::Manuals, CurrentLanguage());
  if (!address.empty() && OpenAddress(hooks_.window(), address, /*quiet=*/true)) return;
  ShowHelpWindow(hooks_.window(), UserGuidePath());
}

void TUpdateCheck::SetCheckAtStart(bool on) {
  settings_ = LoadUpdateSettings(appIni_);
  settings_.checkAtStart = on;
  SaveUpdateSettings(appIni_, settings_);
}

}  // namespace ign
