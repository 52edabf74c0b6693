// TMainForm as the session's view: what the session and its connection state
// machine ask of the window.
#include <QLabel>
#include <cstdio>

#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "core/text/relabel.h"
#include "ui/app/device_commands.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/session_boxes.h"
#include "ui/app/status_widgets.h"

namespace ign {

void TMainForm::ReloadPages() { ReloadActivePage(); }

void TMainForm::UnitInfoChanged() {
  if (panels_) panels_->SetText(4, UnitPanelText());
}

// Shown after the tick (the session holds its engine while a box is open).
void TMainForm::MessagesWaiting() {
  if (boxes_) boxes_->PresentLater();
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
