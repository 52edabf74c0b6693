#include "ui/app/monitor_commands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

#include "core/monitor/local_time.h"
#include "core/monitor/recording_format.h"
#include "core/session/session_monitor.h"
#include "ui/app/dialog_filter.h"
#include "ui/app/dialog_start_folder.h"
#include "ui/monitor/player_panel.h"

namespace ign {

namespace {

constexpr const char* kCsvFilter = "CSV log file|*.csv";
constexpr const char* kLogFilter = "IGN log file|*.ignlog";
constexpr const char* kCsvStart = "CSV output monitor";
constexpr const char* kCsvStop = "Stop CSV recording";

}  // namespace

TMonitorCommands::TMonitorCommands(QWidget& window, CSessionMonitor& monitor, QGroupBox* playerBox,
                                   QAction* csvItem)
    : QObject(&window), window_(window), monitor_(monitor), csvItem_(csvItem) {
  chooseFile = [this](bool save, const char* filter, const char* extension) {
    const QString start = DialogStart(startFolder ? startFolder() : std::string());
    QString path = save ? QFileDialog::getSaveFileName(&window_, QString(), start, DialogFilter(filter))
                        : QFileDialog::getOpenFileName(&window_, QString(), start, DialogFilter(filter));
    if (!path.isEmpty() && save && QFileInfo(path).suffix().isEmpty()) path += QString(".") + extension;
    return path.toStdString();
  };
  panel_ = new TPlayerPanel(playerBox);
  panel_->onButton = [this](int b) { SpeedButtonPlay(b); };
  panel_->onPosition = [this](int p) { monitor_.PlayPosChange(p); };
  if (csvItem_) connect(csvItem_, &QAction::triggered, this, &TMonitorCommands::ToggleCsvLog);
  Show();
}

TMonitorCommands::~TMonitorCommands() = default;

void TMonitorCommands::ToggleCsvLog() {
  if (monitor_.Csv().Running()) {
    monitor_.StopCsv();
    return;
  }
  const std::string path = chooseFile(true, kCsvFilter, "csv");
  if (!path.empty()) monitor_.StartCsv(path);
}

void TMonitorCommands::SpeedButtonPlay(int button) {
  const bool idle = monitor_.Player().State() == PlayerState::Idle;
  switch (button) {
    case TPlayerPanel::Record:
      if (!monitor_.ResumeRecording() && idle) StartRecording();
      break;
    case TPlayerPanel::Play:
      if (!monitor_.ResumePlaying() && idle) {
        const std::string path = chooseFile(false, kLogFilter, "ignlog");
        if (!path.empty()) monitor_.PlayFile(path);
      }
      break;
    case TPlayerPanel::Pause: monitor_.Pause(); break;
    case TPlayerPanel::Stop: monitor_.StopPlayer(); break;
  }
}

void TMonitorCommands::StartRecording() {
  const std::string path = chooseFile(true, kLogFilter, "ignlog");
  if (path.empty()) return;
  RecordingHeader header;
  header.startTime = uint32_t(UnixNow());
  header.os = OsVersionFields();
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (int i = 0; i < std::min<int>(4, int(screens.size())); ++i) {
    const QRect g = screens[i]->geometry();
    header.screens[size_t(i)] = {int16_t(g.left()), int16_t(g.width()), int16_t(g.top()),
                                 int16_t(g.height())};
  }
  if (identification) header.ident = identification();
  monitor_.StartRecording(path, std::move(header));
}

void TMonitorCommands::Show() {
  panel_->Show(monitor_.PlayerPanel());
  if (onPlayback) onPlayback(monitor_.PlaybackBanner());
  const bool csv = monitor_.Csv().Running();
  if (csvItem_) csvItem_->setText(QString::fromUtf8(csv ? kCsvStop : kCsvStart));
  if (csv != csvShown_) {
    csvShown_ = csv;
    if (onCsvChanged) onCsvChanged();
  }
}

}  // namespace ign
