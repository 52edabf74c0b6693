#pragma once
// The live monitor's commands in the window: the CSV log (MenuCSVout) and the
// recorder and player (GroupBoxPlayer). The session's monitor decides and
// records; this class asks for files, builds a recording's header from the
// screens, and shows the monitor's state on the menu item and the panel.
#include <QObject>
#include <functional>
#include <string>

class QAction;
class QGroupBox;
class QWidget;

namespace ign {

class CSessionMonitor;
class TPlayerPanel;

class TMonitorCommands : public QObject {
 public:
  TMonitorCommands(QWidget& window, CSessionMonitor& monitor, QGroupBox* playerBox, QAction* csvItem);
  ~TMonitorCommands() override;

  // The file dialogs; tests put their own in. A chooser returns "" when the
  // user cancelled. startFolder: where the dialogs open.
  std::function<std::string(bool save, const char* filter, const char* extension)> chooseFile;
  std::function<std::string()> startFolder;
  // The program identification a recording's header carries.
  std::function<std::string()> identification;
  // The playback banner of the live panel: its text while a recording plays,
  // empty otherwise.
  std::function<void(const std::string& banner)> onPlayback;
  // The CSV log started or stopped (the title names it).
  std::function<void()> onCsvChanged;

  // MenuCSVout: starts the CSV log (asking for its file) or stops it.
  void ToggleCsvLog();
  // SpeedButtonPlay1..4.
  void SpeedButtonPlay(int button);
  // The monitor's state changed: menu item, player panel and banner.
  void Show();

 private:
  void StartRecording();

  QWidget& window_;
  CSessionMonitor& monitor_;
  TPlayerPanel* panel_ = nullptr;
  QAction* csvItem_;
  bool csvShown_ = false;
};

}  // namespace ign
