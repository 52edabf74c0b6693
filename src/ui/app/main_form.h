#pragma once
// TMainForm: the main window and the life of the program. It owns the session
// (CSession, with the engine under it) and is its view. Split by concern: start-up and shutdown
// (main_form.cpp), the timer steps (timer_steps.cpp), the session's view
// callbacks (engine_host.cpp), the file commands and recent files
// (file_commands.cpp), the application settings (settings_io.cpp); the
// layout (TMainLayout), the key routing (TKeyRouter) and the COM and device
// menus (TDeviceCommands) are classes of their own.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/app_settings.h"
#include "core/app/developer_marker.h"
#include "core/app/recent_files.h"
#include "core/app/undo_ring.h"
#include "core/base/run_config.h"
#include "core/base/settings_dir.h"
#include "core/device/com_menu.h"
#include "core/device/engine.h"
#include "core/files/settings_files.h"
#include "core/files/unit_info.h"
#include "core/params/defaults.h"
#include "core/params/settings_doc.h"
#include "core/session/session.h"
#include "core/status/status_slots.h"
#include "ui/monitor/pickup_window.h"

class QKeyEvent;
class QTimer;

class QDialog;

namespace ign {

class TDeviceCommands;
class TKeyRouter;
class TMainLayout;
class TMainMenu;
class TStatusLabel;
class TStatusPanels;
class TToolBar;
class THandoverServer;
class TPages;
class TPagesHost;
class TUpdateCheck;
class TLiveDisplay;
class TMonitorCommands;
class TPrintCommands;
class TSessionBoxes;

class TMainForm : public QMainWindow, private ISessionView {
  Q_OBJECT

 public:
  static constexpr int kTimerIntervalMs = 55;
  static constexpr int kDesignWidth = 1000;
  static constexpr int kDesignHeight = 700;

  // args: the program's command line, the program name first; config: what
  // the program took from its environment.
  explicit TMainForm(const QStringList& args, const RunConfig& config = ReadRunConfig(),
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  // The second half of start-up; the window is not initialised before it ends.
  void FormCreate();

  // Handlers bound by name.
  void FormClose();
  void Timer1Timer();
  // The communication step a job's end calls for between two ticks.
  void StepBetweenTicks();
  void MenuExitClick();
  void MenuMonitorPlayerClick();
  // The pick-up monitor (pickup_host.cpp): the first click creates it, later
  // clicks hide and show its window.
  void ButtonMonPuClick();
  // Null until the first click.
  CMonPickup* PickupMonitor() { return pickup_.get(); }
  void MenuHistoryClick(int index);
  void MenuLanguageClick(int language);
  // The help links and the update check (update_host.cpp).
  void MenuUpdateClick();
  void MenuContensClick();
  TUpdateCheck* UpdateCheck() { return update_.get(); }
  // The printout (print_host.cpp): the page in front, every shown page, the preview.
  void SpeedButtonPrintClick();
  void MenuPrintAllClick();
  void MenuPrintPreviewClick();
  TPrintCommands& PrintCommands() { return *print_; }

  // Application settings and the recent-file list.
  void ReadAppSettings();
  void WriteAppSettings();
  void AddRecent(const std::string& name) override;
  void RemoveRecent(const std::string& name) override;
  void ShowRecent();
  void BuildComMenu();

  // Loads a settings file for the page groups in group (-1 all); its name
  // becomes the file name of the Open and Save dialogs.
  void OpenSettingsFile(const std::string& name, int group);
  void MenuOpenClick();
  void OpenWithDialog(int group);
  void MenuSaveClick();
  // Save to a chosen path (the Save dialog's second half).
  void SaveSettingsAs(const std::string& path);
  void MenuQuicksaveClick();
  // Messages of the file commands (a message box unless a sink is set).
  void ShowFileMessage(const std::string& text);
  // Commits a change of the edited image made outside the pages: normalise,
  // reload, undo snapshot (which writes the settings when something changed).
  bool CommitImageChange();
  int ActivePageIndex() const;
  void ShowPage(int page) override;
  // The page control's dispatcher: loads, stores and commits the pages.
  TPages& Pages() { return *pages_; }
  CDefaults& Defaults() { return session_->Defaults(); }
  // The active page's controls from the image, and back.
  void ReloadActivePage();
  void StoreActivePage() override;
  void NormaliseEditedImage();
  // "New" (the whole image) and "New for actual page": asks, then the
  // defaults and one commit.
  void NewSettings(bool forActualPage);
  // The New command after its question, without the commit.
  void NewDefaults(int group);
  CUndoRing& Undo() { return session_->Undo(); }
  void SetFileMessageSink(std::function<void(const std::string&)> sink) {
    fileMessageSink_ = std::move(sink);
  }
  // The names of a drop, in order; the first settings file among them is opened.
  void HandleDroppedFiles(const std::vector<std::string>& names);
  // A file given on the command line or by a second start: a recording
  // (.ignlog) is played, anything else opened as a settings file.
  void OpenGivenFile(const std::string& path);

  // A map editor that takes Tab, Enter, Space and the arrows while it has the
  // focus; returns true when it used the key.
  using KeyRouter = std::function<bool(QKeyEvent*)>;
  void SetMapEditorKeyRouter(KeyRouter router);

  // State seen by tests and by the later parts.
  bool Initialised() const { return initialised_; }
  uint32_t TickCount() const { return tickCount_; }
  bool NoPatchCheck() const { return noPatchCheck_; }
  bool DeveloperTestMode() const { return marker_.testMode; }
  int ConfiguredPort() const { return settings_.comPort; }
  const std::string& DialogFileName() const { return dialogFileName_; }
  const std::string& CurrentFile() const { return settings_.file; }
  const CRecentFiles& Recent() const { return recent_; }
  const SettingsPaths& Paths() const { return paths_; }
  CSettingsDoc& Params() { return params_; }
  CStatusSlots& Status() { return status_; }
  TMainMenu& MainMenu() { return *menu_; }
  TToolBar& ToolBar();
  TStatusPanels& Panels() { return *panels_; }
  CEngine& Engine() { return *engine_; }
  CSession& Session() { return *session_; }
  TSessionBoxes& SessionBoxes() { return *boxes_; }
  TDeviceCommands& DeviceCommands() { return *device_; }
  const CUnitInfo& UnitInformation() const { return session_->UnitInformation(); }
  // The display update of the record as it stands (cleared without data).
  void RefreshLiveDisplay();
  TMonitorCommands& MonitorCommands() { return *monitor_; }
  // A recording is played back (playing or paused).
  bool PlaybackRunning() const;
  // The developer tools and the About box (service_commands.cpp).
  void MenuSaveAllNewClick();
  void MenuCompareAllClick();
  void ButtonLoadBinClick();
  void ButtonSelftestClick();
  void MenuAboutClick();
  // Tests: the dump chooser of LOAD BIN RS, and what happens to the About box
  // instead of showing it.
  void SetDumpChooser(std::function<std::string()> chooser) { chooseDumpFile_ = std::move(chooser); }
  void SetAboutHook(std::function<void(QDialog&)> hook) { aboutHook_ = std::move(hook); }
  // The program identification of status panel 2 and the unit text of panel 4.
  std::string ProgramIdentification() const;
  std::string UnitPanelText() const { return UnitInformation().PanelText(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // ISessionView (engine_host.cpp): what the session asks of the window.
  void ReloadPages() override;
  int ActivePage() const override { return ActivePageIndex(); }
  void SetUndoButtons(bool canUndo, bool canRedo) override;
  void FocusProgramAfterChange() override;
  void NormaliseEdited(Image& image) override;
  void FileMessage(const std::string& text) override;
  void CommitPendingChange() override;
  void ReloadAllPages() override;
  void UnitInfoChanged() override;
  void MessagesWaiting() override;
  void SaveAppSettings() override;
  void ForgetFileName() override;
  void RefreshCaptions() override;
  void SetComLabel(const std::string& text) override;
  void SetGauge(const GaugeView& gauge) override;
  void FileNameChanged() override;
  // The live monitor's view (live_host.cpp).
  LiveOptions LiveDisplayOptions() const override;
  void LiveShown(const DisplayModel& model) override;
  void MonitorChanged() override;
  ViewRecord CurrentView() const override;
  void ApplyView(const ViewRecord& view) override;
  void PlayedImageApplied() override;
  void PickupStreamTaken(const TakenStream& taken) override;

  // Construction.
  void ConnectMenu();

  // FormCreate steps.
  void StartStatusSlots();
  void ReadMarkerFile();
  void ResetUnitInformation();
  void LoadStartDefaults();
  void CentreOnScreen();
  void ApplyTestPort();
  void ApplyCommandLine();
  void ApplyLanguageAndLoadPages();
  void SetFixedVisibility();
  void CheckAddressMap();
  void ResetConnectionState();

  // Timer steps (timer_steps.cpp).
  void TraceFirstTicks();
  // The pick-up monitor's duties (pickup_host.cpp): the build of every 16th
  // tick; its tick and drawing; byte 23.
  void BuildPickupCurves();
  void TickPickupMonitor();
  void ConnectPickupButton();
  void ConnectPrintCommands();
  void CommitBeforePrint();

  // The update check (update_host.cpp): started at the end of start-up,
  // polled by the tick, stopped at FormClose.
  void StartUpdateCheck();
  void PollUpdateCheck();
  void StopUpdateCheck();

  // Helpers.
  void BuildPages();
  void BuildLiveDisplay();
  void SettleImage();
  void Trace(const std::string& text);
  void RefreshLanguageChecks();
  TitleState CurrentTitleState() const;
  void CreateUndoRing();
  void CreateFileCommands();
  void SyncFileSessionFromSettings();
  void AfterFileCommand(bool refreshTitle = true);
  void StartHandoverServer();

  QStringList args_;
  RunConfig config_;
  std::unique_ptr<CSession> session_;
  CEngine* engine_;                  // the session's
  CSettingsDoc& params_;             // the engine's copies of the image
  CStatusSlots& status_;             // the engine's status slots, shown in the window's labels
  CSettingsFiles* files_ = nullptr;  // the session's, once the File menu is wired
  std::function<void(const std::string&)> fileMessageSink_;
  std::unique_ptr<TMainMenu> menu_;
  std::unique_ptr<TMainLayout> layout_;
  std::unique_ptr<TStatusPanels> panels_;
  TSessionBoxes* boxes_ = nullptr;  // child of the window
  std::unique_ptr<TDeviceCommands> device_;
  std::unique_ptr<THandoverServer> handover_;
  std::unique_ptr<TPagesHost> pagesHost_;
  std::unique_ptr<TPages> pages_;
  std::unique_ptr<TLiveDisplay> liveDisplay_;
  TMonitorCommands* monitor_ = nullptr;  // child of the window
  std::unique_ptr<TPrintCommands> print_;
  std::function<std::string()> chooseDumpFile_;
  std::function<void(QDialog&)> aboutHook_;
  std::vector<std::unique_ptr<TStatusLabel>> statusLabels_;
  TKeyRouter* keyRouter_ = nullptr;
  QTimer* timer_ = nullptr;

  bool initialised_ = false;
  bool firstInitialisedTick_ = true;
  bool closed_ = false;
  uint32_t tickCount_ = 0;
  bool noPatchCheck_ = false;
  std::string dialogFileName_;
  std::string buildDate_;

  SettingsPaths paths_;
  AppSettings settings_;
  DeveloperMarker marker_;
  CRecentFiles recent_;
  std::vector<int> relabelSteps_;
  std::unique_ptr<CMonPickup> pickup_;
  std::unique_ptr<TUpdateCheck> update_;  // last: stopped first when the window goes
};

}  // namespace ign
