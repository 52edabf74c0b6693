// TMainForm as the engine's host: what the connection state machine asks of
// the window.
#include <QLabel>
#include <QMessageBox>
#include <cstdio>

#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "core/text/relabel.h"
#include "ui/app/device_commands.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/status_widgets.h"

namespace ign {

namespace {
const char* const kConnectionLostTitle = "###Connection lost##Verbindung verloren##Spojení přerušeno";
}  // namespace

void TMainForm::ReloadPages() { ReloadActivePage(); }

void TMainForm::TakeSnapshot() {
  if (undo_) undo_->TakeSnapshot();
}

void TMainForm::ShowVersionMessage(const std::string& text) {
  QMessageBox::warning(this, QString(), QString::fromUtf8(text.c_str()));
}

// The box opens after the tick returns and does not block it: the engine goes
// on looking for the unit while the tuner reads. A second loss before the box
// is closed replaces its text.
void TMainForm::ShowCutOffMessage(const char* packed) {
  const std::string kept = packed;
  QMetaObject::invokeMethod(
      this,
      [this, kept] {
        auto* box = findChild<QMessageBox*>(QStringLiteral("CutOffMessage"));
        if (!box) {
          box = new QMessageBox(this);
          box->setObjectName(QStringLiteral("CutOffMessage"));
          box->setIcon(QMessageBox::Warning);
          box->setStandardButtons(QMessageBox::Ok);
          box->setAttribute(Qt::WA_DeleteOnClose);
        }
        box->setWindowTitle(QString::fromUtf8(LngStr(kConnectionLostTitle)));
        box->setText(QString::fromUtf8(LngStr(kept.c_str())));
        box->open();
      },
      Qt::QueuedConnection);
}

void TMainForm::DecodeUnitInfo(const uint8_t* header) {
  unitInfo_.Decode(std::span<const uint8_t, kUnitHeaderLen>(header, kUnitHeaderLen));
}

void TMainForm::ResetUnitInfo() {
  unitInfo_.Reset();
  panels_->SetText(4, unitInfo_.PanelText());
}

void TMainForm::SaveAppSettings() { WriteAppSettings(); }

void TMainForm::ForgetFileName() {
  if (files_) files_->session.currentFile.clear();
}

void TMainForm::RefreshCaptions() { RelabelAll(); }

void TMainForm::SetComLabel(const std::string& text) {
  layout_->labelCom->setText(QString::fromUtf8(text.c_str()));
}

void TMainForm::SetGauge(const GaugeView& gauge) { device_->ShowGauge(gauge); }

}  // namespace ign
