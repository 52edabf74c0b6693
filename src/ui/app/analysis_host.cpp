#include "ui/app/analysis_host.h"

#include <QAction>
#include <algorithm>
#include <cctype>

#include "core/logs/hit_counts.h"
#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/mapedit/editor_list.h"
#include "ui/mapedit/hit_overlay.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

TAnalysisHost::TAnalysisHost(TMainForm& form) : QObject(&form), form_(form) {
  setObjectName(QStringLiteral("AnalysisHost"));
}

bool TAnalysisHost::HasWindow() const { return !window_.isNull(); }

TRideAnalysis& TAnalysisHost::Window() {
  if (!window_) {
    window_ = new TRideAnalysis(&form_);
    window_->setWindowFlag(Qt::Window);
    window_->settingsForHits = [this] { return form_.Params().Edited(); };
    connect(window_, &TRideAnalysis::HitSourceChanged, this, [this] { CountOnEditors(); });
    connect(window_, &TRideAnalysis::TimeClicked, this,
            [this](const QString& recording, double t) { MovePlayer(recording.toStdString(), t); });
  }
  return *window_;
}

void TAnalysisHost::OpenLog(const std::string& path) {
  TRideAnalysis& w = Window();
  w.show();
  w.raise();
  w.Open(path);
}

void TAnalysisHost::CountOnEditors() {
  const CLog* log = window_ ? window_->Log() : nullptr;
  const int sensor = form_.Params().Edited()[Adrb::TPSIAP_SENSOR];
  for (TTab* editor : TMapEditorList::Of(&form_).Editors()) {
    bool follows = false;
    for (int s = 0; s < editor->Model().SheetCount(); ++s)
      follows |= editor->Model().Sheet(s).flags & SheetFlag::kFollowsLive;
    if (!follows) continue;
    THitOverlay& overlay = THitOverlay::Of(*editor);
    if (log)
      overlay.CountLog(*log, window_->RangeFrom(), window_->RangeTo(), sensor);
    else
      overlay.Clear();
  }
}

void TAnalysisHost::MovePlayer(const std::string& recording, double seconds) {
  CSessionMonitor& monitor = form_.Session().Monitor();
  if (!monitor.Playing() || monitor.Player().FileName() != recording) return;
  const Recording& r = monitor.Player().Loaded();
  // The log's times run from the first monitor record.
  double first = -1;
  int target = -1;
  for (int i = 0; i < int(r.records.size()); ++i) {
    if (r.records[size_t(i)].type != Rec::Monitor) continue;
    const double t = r.records[size_t(i)].timeMs / 1000.0;
    if (first < 0) first = t;
    if (i >= r.initialCount && t - first <= seconds + 1e-9) target = i;
  }
  if (target >= 0) monitor.PlayPosChange(target - r.initialCount + 1);
}

TAnalysisHost& InstallRideAnalysis(TMainForm& form) {
  auto* host = new TAnalysisHost(form);
  if (QAction* item = form.MainMenu().Item("MenuRideAnalysis")) {
    const int relabel = RegisterRelabelStep(RelabelOrder::PageTexts, [item] {
      item->setText(QString::fromUtf8(LngStr("###Ride analysis##Fahrtanalyse##Analýza jízdy")));
    });
    QObject::connect(host, &QObject::destroyed, [relabel] { UnregisterRelabelStep(relabel); });
    QObject::connect(item, &QAction::triggered, host, [host] {
      TRideAnalysis& w = host->Window();
      w.show();
      w.raise();
      w.activateWindow();
    });
  }
  return *host;
}

TAnalysisHost* RideAnalysisOf(TMainForm& form) {
  return form.findChild<TAnalysisHost*>(QStringLiteral("AnalysisHost"), Qt::FindDirectChildrenOnly);
}

bool IsCsvLogName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".csv";
}

}  // namespace ign
