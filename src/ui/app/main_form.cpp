#include "ui/app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <cstdio>

#include "core/base/checked_math.h"
#include "core/params/address_map.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "ui/app/analysis_host.h"
#include "ui/app/archive_startup.h"
#include "ui/app/captions.h"
#include "ui/app/device_commands.h"
#include "ui/app/error_box.h"
#include "ui/app/file_host.h"
#include "ui/app/handover_server.h"
#include "ui/app/history_commands.h"
#include "ui/app/key_router.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/pages_host.h"
#include "ui/app/session_boxes.h"
#include "ui/app/start_args.h"
#include "ui/app/status_widgets.h"
#include "ui/app/tool_bar.h"
#include "ui/files/print_commands.h"
#include "ui/mapedit/map_editor.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"
#include "ui/update/update_check.h"

namespace ign {

// ---- Construction -----------------------------------------------------------

TMainForm::TMainForm(const QStringList& args, const RunConfig& config, QWidget* parent)
    : QMainWindow(parent),
      args_(args),
      config_(config),
      session_(std::make_unique<CSession>(static_cast<ISessionView*>(this), nullptr, config)),
      engine_(&session_->Engine()),
      params_(engine_->Params()),
      status_(engine_->Status()) {
  setObjectName("MainForm");
  InstallEngineMessageBox();
  resize(kDesignWidth, kDesignHeight);
  menu_ = std::make_unique<TMainMenu>(*this);
  ConnectMenu();
  layout_ = std::make_unique<TMainLayout>(*this, *menu_);
  panels_ = std::make_unique<TStatusPanels>(statusBar());
  statusBar()->setObjectName("StatusBar1");
  ConnectPrintCommands();
  keyRouter_ = new TKeyRouter(this);
  keyRouter_->SetRoute(&TTab::RouteToFocusedEditor);
  ClearMessages();  // the message table is process-wide and starts empty; RelabelAll fills it
  boxes_ = new TSessionBoxes(this, *session_);
  device_ = std::make_unique<TDeviceCommands>(*session_, *boxes_, *menu_, *layout_, settings_.comPort,
                                              [this] { SettleImage(); });
  StartHandoverServer();
  CreateFileCommands();
  CreateUndoRing();
  paths_ = ComputeSettingsPaths(config_);
  SetMathErrorLogPath(paths_.folder + "IGN.err");  // not the current folder: it may not be writable
  status_.FreeTexts();

  // The heartbeat: always running while the window exists.
  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(kTimerIntervalMs);
  connect(timer_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  timer_->start();
  // A job that ends between two ticks is followed up at once, on this thread.
  engine_->Com().SetJobEndListener([this] {
    QMetaObject::invokeMethod(
        this, [this] { StepBetweenTicks(); }, Qt::QueuedConnection);
  });
}

void TMainForm::StepBetweenTicks() {
  if (initialised_ && !closed_ && session_) session_->StepBetweenTicks();
}

TMainForm::~TMainForm() {
  timer_->stop();
  engine_->Com().SetJobEndListener(nullptr);
  for (int id : relabelSteps_) UnregisterRelabelStep(id);
  status_.BindLabel(Slot::Connection, nullptr);
  status_.BindLabel(Slot::Result, nullptr);
  status_.BindLabel(Slot::Congruence, nullptr);
  status_.SetGaugeHider(nullptr);
  status_.SetTitleSink(nullptr);
  status_.SetTitleSource(nullptr);
  device_.reset();
  pages_.reset();
  engine_ = nullptr;
  session_.reset();  // stops the port threads before the window goes
}

TToolBar& TMainForm::ToolBar() { return *layout_->toolBar; }

void TMainForm::SetMapEditorKeyRouter(KeyRouter router) { keyRouter_->SetRoute(std::move(router)); }

void TMainForm::BuildComMenu() { device_->BuildComMenu(); }

void TMainForm::ConnectMenu() {
  TMainMenu& m = *menu_;
  // Items of features that are not built yet stay disabled.
  for (const char* name : {"MenuOpen", "MenuOpenExeDir", "MenuOpenPage", "MenuSave", "MenuSaveExeDir",
                           "MenuQuicksave", "MenuRead", "MenuVerify", "MenuProgram", "MenuReset",
                           "MenuUpdate", "MenuZpet", "MenuZnovu", "MenuContens"})
    m.Item(name)->setEnabled(false);
  for (int i = 1; i <= TMainMenu::kHistoryItems; ++i) {
    connect(m.history[size_t(i)], &QAction::triggered, this, [this, i] { MenuHistoryClick(i); });
  }
  connect(m.Item("MenuExit"), &QAction::triggered, this, &TMainForm::MenuExitClick);
  // Advance -/+ step the map editor that holds the keyboard focus; nothing happens without one.
  connect(m.Item("MenuAdvanceMinus"), &QAction::triggered, this, [] { TTab::StepFocusedEditor(-1); });
  connect(m.Item("MenuAdvancePlus"), &QAction::triggered, this, [] { TTab::StepFocusedEditor(+1); });
  connect(m.Item("MenuNew"), &QAction::triggered, this, [this] { NewSettings(false); });
  connect(m.Item("MenuNewPage"), &QAction::triggered, this, [this] { NewSettings(true); });
  connect(m.Item("MenuMonitorPlayer"), &QAction::triggered, this, &TMainForm::MenuMonitorPlayerClick);
  connect(m.Item("MenuEnglish"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_ENGLISH); });
  connect(m.Item("MenuGerman"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_DEUTSCH); });
  connect(m.Item("MenuCzech"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_CESKY); });
  connect(m.Item("MenuAbout"), &QAction::triggered, this, &TMainForm::MenuAboutClick);
  connect(m.Item("MenuSaveAllNew"), &QAction::triggered, this, &TMainForm::MenuSaveAllNewClick);
  connect(m.Item("MenuCompareAll"), &QAction::triggered, this, &TMainForm::MenuCompareAllClick);
  InstallRideAnalysis(*this);
}

// ---- Start-up -----------------------------------------------------------------

// The steps in their order; steps whose part is not built yet are named in
// the list and do nothing.
void TMainForm::FormCreate() {
  OpenArchiveStore();
  StartStatusSlots();
  ReadMarkerFile();
  BuildPages();  // the pages and their map editors (the editor list is emptied first)
  BuildLiveDisplay();
  NormaliseEditedImage();
  // Hints reach event() below, which writes them into panel 0.
  ResetUnitInformation();
  LoadStartDefaults();
  CentreOnScreen();
  ReadAppSettings();
  ApplyTestPort();
  ShowRecent();
  ApplyCommandLine();
  ApplyLanguageAndLoadPages();
  BuildComMenu();
  SetFixedVisibility();
  pages_->FlagEditors(EditorRefresh::kData |
                      EditorRefresh::kMarkers);  // every map editor reloads and redraws
  pages_->RefreshPages(false);
  setAcceptDrops(true);
  CheckAddressMap();
  ResetConnectionState();
  // The session records every operation in the unit history from here on.
  new THistoryCommands(*this);
  RefreshLiveDisplay();  // the live display shows the monitor record once
  StartUpdateCheck();    // unless noPatchCheck (or switched off)
  // The recorder and player are reset.
  initialised_ = true;
  Trace("FORM Initialised");
}

void TMainForm::StartStatusSlots() {
  auto bind = [this](int slot, QLabel* label) {
    statusLabels_.push_back(std::make_unique<TStatusLabel>(label));
    status_.BindLabel(slot, statusLabels_.back().get());
  };
  bind(Slot::Connection, layout_->labelConnection);
  bind(Slot::Result, layout_->labelResult);
  bind(Slot::Congruence, layout_->labelCongruence);
  status_.SetGaugeHider([this] { layout_->gaugeProgram->hide(); });
  status_.SetTitleSink([this](const std::string& t) { setWindowTitle(QString::fromUtf8(t.c_str())); });
  status_.SetTitleSource([this] { return CurrentTitleState(); });
  status_.Start();
}

void TMainForm::ReadMarkerFile() { marker_ = ReadDeveloperMarker(MarkerFilePath(config_)); }

void TMainForm::ResetUnitInformation() {
  session_->ResetUnitInformation();
  buildDate_ = RewriteBuildDate(__DATE__);
  panels_->SetText(1, "EXE");
  panels_->SetText(2, ProgramIdentification());
  panels_->SetText(3, "HEX");
  panels_->SetText(4, UnitPanelText());
}

void TMainForm::LoadStartDefaults() {
  params_.Working()[Adrb::BIKE] = kStartBike;
  Defaults().LoadDefaults(params_.Working(), Group::All);
}

void TMainForm::CentreOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  // Integer division truncates toward zero, also for a window wider than the screen.
  move((s.width() - width()) / 2, (s.height() - height()) / 2);
}

void TMainForm::ApplyTestPort() {
  SyncFileSessionFromSettings();
  if (marker_.testMode && marker_.testPort > 0) settings_.comPort = marker_.testPort;
  engine_->Machine().developerTestMode = marker_.testMode;
  engine_->Com().SetConfiguredPort(settings_.comPort);
  engine_->Com().SetNextPort(settings_.comPortAuto);
  engine_->Com().Memory().FromText(settings_.comRows);
  engine_->Machine().newInstallation = settings_.newInstal != 0;
}

void TMainForm::ApplyCommandLine() {
  std::vector<std::string> args;
  for (const QString& a : args_) args.push_back(a.toStdString());
  StartOptions o = ParseStartArguments(args);
  if (o.language >= 0) SetLanguage(o.language);
  if (o.noPatchCheck) noPatchCheck_ = true;
}

void TMainForm::ApplyLanguageAndLoadPages() {
  relabelSteps_.push_back(RegisterRelabelStep(RelabelOrder::MenuCaptions, [this] {
    RefreshLanguageChecks();
    if (initialised_) BuildComMenu();  // items 0 and 1 come from the message table
  }));
  for (int id : RegisterCaptionSteps(*this, *menu_)) relabelSteps_.push_back(id);
  relabelSteps_.push_back(RegisterRelabelStep(RelabelOrder::Title, [this] { status_.RefreshTitle(); }));
  relabelSteps_.push_back(RegisterRelabelStep(RelabelOrder::StatusSlots, [this] { status_.Relabel(); }));
  RelabelAll();  // message table, captions, hints and page texts
  pages_->LoadPages(true);
  // Resetting the undo ring clears the change marks and writes the settings once.
  Undo().ResetUndo();
  ReloadActivePage();
}

void TMainForm::SetFixedVisibility() {
  layout_->gaugeProgram->hide();
  layout_->gaugeProgram->setMaximum(100);
  menu_->Menu("MenuServis")->menuAction()->setVisible(marker_.testMode);
}

void TMainForm::CheckAddressMap() {
  for (const std::string& message : ConsistencyMessages(CurrentLayout())) ShowErrorBox(message);
}

void TMainForm::ResetConnectionState() {
  if (!engine_->LinkDisabled())
    status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red,
                       StatusPriority::NoConnection);
  params_.ForgetUnit();
  session_->ResetUnitInformation();
}

// ---- Shutdown -----------------------------------------------------------------

void TMainForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  session_->Monitor().StopPlayer();  // a running recording is written out, a played image gives way
  StopUpdateCheck();                 // stop flag, abort, a bounded join
  engine_->Com().CloseAll();
  StoreActivePage();
  NormaliseEditedImage();
  WriteAppSettings();
  status_.FreeTexts();
}

void TMainForm::StoreActivePage() {
  if (pages_) pages_->StorePage();
}

void TMainForm::MenuExitClick() { close(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

// ---- Events -------------------------------------------------------------------

bool TMainForm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    panels_->SetText(0, static_cast<QStatusTipEvent*>(e)->tip().toStdString());
    return true;
  }
  return QMainWindow::event(e);
}

// ---- Helpers ------------------------------------------------------------------

// Before the image goes to the unit or is compared with it.
void TMainForm::SettleImage() {
  pages_->CommitPending();
  StoreActivePage();
  NormaliseEditedImage();
  ReloadActivePage();
}

void TMainForm::NormaliseEditedImage() { session_->NormaliseEdited(); }

// The image also stores the language and the port: the window's settings
// follow what the normalisation keeps.
void TMainForm::NormaliseEdited(Image& image) {
  int language = CurrentLanguage();
  NormaliseImage(image, {&language, &settings_.comPort, &settings_.comPortAuto});
  if (language != CurrentLanguage()) SetLanguage(language);
}

void TMainForm::ReloadActivePage() {
  if (pages_) pages_->LoadPages(false);
}

void TMainForm::Trace(const std::string& text) { engine_->Trace(text.c_str()); }

void TMainForm::RefreshLanguageChecks() {
  menu_->Item("MenuEnglish")->setChecked(CurrentLanguage() == LNG_ENGLISH);
  menu_->Item("MenuGerman")->setChecked(CurrentLanguage() == LNG_DEUTSCH);
  menu_->Item("MenuCzech")->setChecked(CurrentLanguage() == LNG_CESKY);
}

void TMainForm::MenuLanguageClick(int language) {
  pages_->CommitPending();
  ChangeLanguage(language);
  ReloadActivePage();
}

TitleState TMainForm::CurrentTitleState() const {
  TitleState t;
  t.saved = params_.Saved();
  // The file commands' own name: it is what Read forgets and what a
  // quick-saved version shows for one title.
  t.fileName = files_ ? files_->session.currentFile : settings_.file;
  t.linkDisabled = engine_ && engine_->LinkDisabled();
  if (const CCsvLog& csv = session_->Monitor().Csv(); csv.Running()) {
    t.csvRunning = true;
    t.csvFileName = csv.FileName();
  }
  return t;
}

}  // namespace ign
