#pragma once
// TMainForm: the main window and the life of the program. The window is split
// by concern over several files: start-up and shutdown (main_form.cpp), the
// timer steps (timer_steps.cpp), the file commands and recent files
// (file_commands.cpp), the COM and device menus (device_commands.cpp), and the
// application settings (settings_io.cpp). Steps whose subsystem is not built
// yet are named no-op methods that the later work fills.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/app_settings.h"
#include "core/app/com_menu.h"
#include "core/app/developer_marker.h"
#include "core/app/recent_files.h"
#include "core/app/settings_dir.h"
#include "core/app/status_slots.h"
#include "core/app/undo_ring.h"
#include "core/files/settings_files.h"
#include "core/files/unit_info.h"
#include "core/params/comm_machine.h"
#include "core/params/defaults.h"
#include "core/params/param_state.h"

class QActionGroup;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QTabWidget;
class QTimer;

namespace ign {

class TCommAdapter;
class TFileHost;
class TUndoHost;
class TMainMenu;
class TStatusLabel;
class TStatusPanels;
class TToolBar;
class THandoverServer;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kTimerIntervalMs = 55;
  static constexpr int kDesignWidth = 1000;
  static constexpr int kDesignHeight = 700;

  // args: the program's command line, the program name first.
  explicit TMainForm(const QStringList& args, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The second half of start-up; the window is not initialised before it ends.
  void FormCreate();

  // Handlers bound by name.
  void FormClose();
  void Timer1Timer();
  bool ShortCut(QKeyEvent* key);
  void MenuExitClick();
  void MenuMonitorPlayerClick();
  void MenuCom1Click(int item);
  void MenuHistoryClick(int index);
  void MenuLanguageClick(int language);

  // Application settings and the recent-file list.
  void ReadAppSettings();
  void WriteAppSettings();
  void AddRecent(const std::string& name);
  void RemoveRecent(const std::string& name);
  void ShowRecent();
  void BuildComMenu();

  // Device menu (device_commands.cpp).
  void MenuReadClick();
  void MenuVerifyClick();
  void MenuProgramClick();
  void MenuResetClick();

  // Loads a settings file for the page groups in group (-1 all); its name
  // becomes the file name of the Open and Save dialogs.
  void OpenSettingsFile(const std::string& name, int group);
  void MenuOpenClick();
  void OpenWithDialog(int group);
  void MenuSaveClick();
  void MenuQuicksaveClick();
  // Messages of the file commands (a message box unless a sink is set).
  void ShowFileMessage(const std::string& text);
  // Commits a change of the edited image made outside the pages: normalise,
  // reload, undo snapshot (which writes the settings when something changed).
  bool CommitImageChange();
  int ActivePageIndex() const;
  void ShowPage(int page);
  CUndoRing& Undo() { return *undo_; }
  void SetFileMessageSink(std::function<void(const std::string&)> sink) {
    fileMessageSink_ = std::move(sink);
  }
  // The names of a drop, in order; the first settings file among them is opened.
  void HandleDroppedFiles(const std::vector<std::string>& names);

  // A map editor that takes Tab, Enter, Space and the arrows while it has the
  // focus; returns true when it used the key.
  using KeyRouter = std::function<bool(QKeyEvent*)>;
  void SetMapEditorKeyRouter(KeyRouter router) { mapEditorKeys_ = std::move(router); }

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
  ParamState& Params() { return params_; }
  CStatusSlots& Status() { return status_; }
  TMainMenu& MainMenu() { return *menu_; }
  TToolBar& ToolBar() { return *toolBar_; }
  TStatusPanels& Panels() { return *panels_; }
  TCommAdapter& Comm() { return *comm_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Construction.
  void BuildWindow();
  void ConnectMenu();
  void CreateMessageTables();
  void CreateCommunication();
  void FillSearchTable();
  void ResetUnitTexts();

  // FormCreate steps.
  void BindImageWords();
  void OpenArchiveStore();
  void StartStatusSlots();
  void ReadMarkerFile();
  void BuildPages();
  void RouteHints();
  void ResetUnitInformation();
  void LoadStartDefaults();
  void CentreOnScreen();
  void SetDefaultFilePath();
  void ApplyTestPort();
  void ApplyCommandLine();
  void ApplyLanguageAndLoadPages();
  void SetFixedVisibility();
  void RefreshMapEditors();
  void RefreshActivePageControls();
  void AcceptDrops();
  void CheckAddressMap();
  void ResetConnectionState();
  void RefreshLiveDisplay();
  void StartUpdateCheck();
  void ResetRecorder();

  // Timer steps (timer_steps.cpp).
  void TraceFirstTicks();
  void CountTick();
  void MoveFocusOffPages();
  void CommStep();
  void RebuildComMenuWhenPortsChanged();
  void CommitPendingChange();
  void PushEditorState();
  void RefreshAdvanceDisplay();
  void PollUpdateCheck();
  void FeedPickupMonitor();
  void EnableDeviceCommands();
  void FixRpmPulseText();
  void BuildPickupCurves();
  void StepPickupMonitor();
  void CountSelfTestDisplay();
  void TakeConnectionState();
  void StepPlayer();

  // Shutdown steps.
  void StopRecorder();
  void StopUpdateCheck();
  void CloseAllPorts();
  void StoreActivePage();

  // Helpers.
  void NormaliseEditedImage();
  void ReloadActivePage();
  void Trace(const std::string& text);
  void RefreshLanguageChecks();
  TitleState CurrentTitleState() const;
  void ApplyTestHook();
  void ConnectDeviceMenu();
  void CreateUndoRing();
  void CreateFileCommands();
  void SyncFileSessionFromSettings();
  void AfterFileCommand();
  void ShowGauge(const GaugeView& gauge);
  void StartHandoverServer();
  void NewSettings(bool forActualPage);
  void TakeMonitorVersion(const uint8_t* record151);

  QStringList args_;
  std::unique_ptr<TCommAdapter> comm_;
  std::unique_ptr<TFileHost> fileHost_;
  std::unique_ptr<TUndoHost> undoHost_;
  std::unique_ptr<CUndoRing> undo_;
  std::unique_ptr<CSettingsFiles> files_;
  std::function<void(const std::string&)> fileMessageSink_;
  std::unique_ptr<TMainMenu> menu_;
  std::unique_ptr<TStatusPanels> panels_;
  std::unique_ptr<TToolBar> toolBar_;
  std::unique_ptr<THandoverServer> handover_;
  std::vector<std::unique_ptr<TStatusLabel>> statusLabels_;
  QTimer* timer_ = nullptr;
  QTabWidget* pageControl_ = nullptr;
  QGroupBox* groupBoxPlayer_ = nullptr;
  QLabel* labelConnection_ = nullptr;
  QLabel* labelResult_ = nullptr;
  QLabel* labelCongruence_ = nullptr;
  QLabel* labelCom_ = nullptr;
  QActionGroup* comRadioGroup_ = nullptr;
  QProgressBar* gaugeProgram_ = nullptr;

  bool initialised_ = false;
  bool firstInitialisedTick_ = true;
  bool closed_ = false;
  uint32_t tickCount_ = 0;
  int comMenuConnectedPort_ = 0;  // the connected port the COM menu was built for
  bool noPatchCheck_ = false;
  int jobRequest_ = 0;
  int lastBike_ = -1;
  std::string unitName_, unitDate_, unitTime_;
  CUnitInfo unitInfo_;
  std::string newVersionPath_;
  std::string defaultFilePath_;
  std::string dialogFileName_;
  std::string buildDate_;

  SettingsPaths paths_;
  AppSettings settings_;
  DeveloperMarker marker_;
  CRecentFiles recent_;
  ParamState params_;
  CDefaults defaults_;
  CStatusSlots status_;
  KeyRouter mapEditorKeys_;
  const QEvent* routedKey_ = nullptr;  // the key event last offered, and where
  QPointer<QWidget> routedTo_;
  std::vector<int> relabelSteps_;
};

}  // namespace ign
