#include "ui/app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "core/params/address_map.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "ui/app/captions.h"
#include "ui/app/comm_adapter.h"
#include "ui/app/error_box.h"
#include "ui/app/file_host.h"
#include "ui/app/handover_server.h"
#include "ui/app/main_menu.h"
#include "ui/app/start_args.h"
#include "ui/app/status_widgets.h"
#include "ui/app/tool_bar.h"
#include "ui/app/undo_host.h"

namespace ign {

namespace {
constexpr const char* kNoConnection =
    "###No connection with PC...##Keine Verbindung zum PC...##Není spojení s PC...";
}  // namespace

// ---- Construction -----------------------------------------------------------

TMainForm::TMainForm(const QStringList& args, QWidget* parent) : QMainWindow(parent), args_(args) {
  setObjectName("MainForm");
  InstallEngineMessageBox();
  BuildWindow();
  CreateMessageTables();
  CreateCommunication();
  CreateFileCommands();
  CreateUndoRing();
  initialised_ = false;
  paths_ = ComputeSettingsPaths();
  lastBike_ = -1;
  ResetUnitTexts();
  status_.FreeTexts();
  FillSearchTable();
  jobRequest_ = 0;
  params_.unitValid = false;
  params_.identicalToUnit = false;
  noPatchCheck_ = false;

  // The heartbeat: always running while the window exists.
  timer_ = new QTimer(this);
  timer_->setObjectName("Timer1");
  timer_->setInterval(kTimerIntervalMs);
  connect(timer_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  timer_->start();
  qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  timer_->stop();
  for (int id : relabelSteps_) UnregisterRelabelStep(id);
  status_.BindLabel(Slot::Connection, nullptr);
  status_.BindLabel(Slot::Result, nullptr);
  status_.BindLabel(Slot::Congruence, nullptr);
  status_.SetGaugeHider(nullptr);
  status_.SetTitleSink(nullptr);
  comm_.reset();  // stops the port threads before the window goes
}

void TMainForm::BuildWindow() {
  resize(kDesignWidth, kDesignHeight);
  menu_ = std::make_unique<TMainMenu>(*this);
  ConnectMenu();

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  auto* statusRow = new QHBoxLayout();
  labelConnection_ = new QLabel(central);
  labelConnection_->setObjectName("LabelConnection");
  labelResult_ = new QLabel(central);
  labelResult_->setObjectName("LabelResult");
  gaugeProgram_ = new QProgressBar(central);
  gaugeProgram_->setObjectName("CGaugeProgram");
  labelCongruence_ = new QLabel(central);
  labelCongruence_->setObjectName("LabelCongruence");
  labelCom_ = new QLabel(central);
  labelCom_->setObjectName("LabelCom");
  for (QLabel* l : {labelConnection_, labelResult_, labelCongruence_}) {
    l->setMinimumHeight(22);
    l->setMargin(2);
  }
  statusRow->addWidget(labelConnection_, 2);
  statusRow->addWidget(labelResult_, 3);
  statusRow->addWidget(gaugeProgram_, 2);
  statusRow->addWidget(labelCongruence_, 2);
  statusRow->addWidget(labelCom_, 0);
  column->addLayout(statusRow);
  toolBar_ = std::make_unique<TToolBar>(central, *menu_);
  column->addWidget(toolBar_->Box());

  pageControl_ = new QTabWidget(central);
  pageControl_->setObjectName("PageControl1");
  column->addWidget(pageControl_, 1);

  groupBoxPlayer_ = new QGroupBox(central);
  groupBoxPlayer_->setObjectName("GroupBoxPlayer");
  groupBoxPlayer_->setMinimumHeight(60);
  groupBoxPlayer_->hide();
  column->addWidget(groupBoxPlayer_);
  setCentralWidget(central);

  panels_ = std::make_unique<TStatusPanels>(statusBar());
  statusBar()->setObjectName("StatusBar1");
}

void TMainForm::ConnectMenu() {
  TMainMenu& m = *menu_;
  // Items of features that are not built yet stay disabled.
  for (const char* name :
       {"MenuOpen",    "MenuOpenExeDir",   "MenuOpenPage",    "MenuSave",   "MenuSaveExeDir", "MenuQuicksave",
        "MenuPrint",   "MenuPrintAll",     "MenuRead",        "MenuVerify", "MenuProgram",    "MenuReset",
        "MenuUpdate",  "MenuAdvanceMinus", "MenuAdvancePlus", "MenuZpet",   "MenuZnovu",      "MenuCSVout",
        "MenuContens", "MenuSaveAllNew",   "MenuCompareAll"})
    m.Item(name)->setEnabled(false);
  for (int i = 1; i <= TMainMenu::kHistoryItems; ++i) {
    connect(m.history[size_t(i)], &QAction::triggered, this, [this, i] { MenuHistoryClick(i); });
  }
  for (int i = 0; i < TMainMenu::kComItems; ++i)
    connect(m.com[size_t(i)], &QAction::triggered, this, [this, i] { MenuCom1Click(i); });
  connect(m.Item("MenuExit"), &QAction::triggered, this, &TMainForm::MenuExitClick);
  connect(m.Item("MenuNew"), &QAction::triggered, this, [this] { NewSettings(false); });
  connect(m.Item("MenuNewPage"), &QAction::triggered, this, [this] { NewSettings(true); });
  connect(m.Item("MenuMonitorPlayer"), &QAction::triggered, this, &TMainForm::MenuMonitorPlayerClick);
  connect(m.Item("MenuEnglish"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_ENGLISH); });
  connect(m.Item("MenuGerman"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_DEUTSCH); });
  connect(m.Item("MenuCzech"), &QAction::triggered, this, [this] { MenuLanguageClick(LNG_CESKY); });
  connect(m.Item("MenuAbout"), &QAction::triggered, this, [this] {
    QMessageBox::about(this, QStringLiteral("About"),
                       QStringLiteral("%1 (v%2)\nCOMPILE=%3")
                           .arg(kProductCode)
                           .arg(kProgramVersion)
                           .arg(QString::fromStdString(buildDate_)));
  });
}

void TMainForm::CreateMessageTables() {
  // The message table is process-wide and starts empty; RelabelAll fills it.
  ClearMessages();
}

void TMainForm::CreateCommunication() {
  comm_ = std::make_unique<TCommAdapter>(params_, status_);
  comm_->onSaveSettings = [this] { WriteAppSettings(); };
  comm_->onResetUnitInfo = [this] {
    unitInfo_.Reset();
    panels_->SetText(4, unitInfo_.PanelText());
  };
  comm_->onUnitHeader = [this](const uint8_t* header) {
    unitInfo_.Decode(std::span<const uint8_t, kUnitHeaderLen>(header, kUnitHeaderLen));
  };
  comm_->onMonitor = [this](const uint8_t* record) { TakeMonitorVersion(record); };
  comm_->onRefreshCaptions = [] { RelabelAll(); };
  comm_->onReloadPages = [this] { ReloadActivePage(); };
  comm_->onComLabel = [this](const std::string& text) {
    labelCom_->setText(QString::fromUtf8(text.c_str()));
  };
  comm_->onGauge = [this](const GaugeView& g) { ShowGauge(g); };
  comm_->onTakeSnapshot = [this] {
    if (undo_) undo_->TakeSnapshot();
  };
  comm_->onForgetFileName = [this] {
    if (files_) files_->session.currentFile.clear();
  };
  comm_->onVersionMessage = [this](const std::string& text) {
    QMessageBox::warning(this, QString(), QString::fromUtf8(text.c_str()));
  };
  StartHandoverServer();
  ConnectDeviceMenu();
}

void TMainForm::FillSearchTable() {
  // The free rows of the port search table get the preferred row (protocol
  // 3150, 57600 baud, 175 ms) when the port search is built.
}

void TMainForm::ResetUnitTexts() {
  unitName_ = "Unit = --";
  unitDate_ = "Date = --";
  unitTime_ = "--:--";
}

// ---- Start-up -----------------------------------------------------------------

void TMainForm::FormCreate() {
  BindImageWords();
  OpenArchiveStore();
  StartStatusSlots();
  ReadMarkerFile();
  BuildPages();
  RouteHints();
  ResetUnitInformation();
  LoadStartDefaults();
  CentreOnScreen();
  SetDefaultFilePath();
  ReadAppSettings();
  ApplyTestPort();
  ShowRecent();
  ApplyCommandLine();
  ApplyLanguageAndLoadPages();
  BuildComMenu();
  SetFixedVisibility();
  RefreshMapEditors();
  RefreshActivePageControls();
  AcceptDrops();
  CheckAddressMap();
  ResetConnectionState();
  RefreshLiveDisplay();
  StartUpdateCheck();
  ResetRecorder();
  initialised_ = true;
  Trace("FORM Initialised");
}

void TMainForm::BindImageWords() {
  // The word view of the image is part of the image type itself.
  char buf[32];
  std::snprintf(buf, sizeof buf, "\\NEW_%i", kProgramVersion);
  newVersionPath_ = buf;
}

void TMainForm::OpenArchiveStore() {
  // The archive store carried behind the executable is opened here, and
  // "IMPORT ..\IMPET\NEW_108 """ runs when its root is empty, once it exists.
}

void TMainForm::StartStatusSlots() {
  auto bind = [this](int slot, QLabel* label) {
    statusLabels_.push_back(std::make_unique<TStatusLabel>(label));
    status_.BindLabel(slot, statusLabels_.back().get());
  };
  bind(Slot::Connection, labelConnection_);
  bind(Slot::Result, labelResult_);
  bind(Slot::Congruence, labelCongruence_);
  status_.SetGaugeHider([this] { gaugeProgram_->hide(); });
  status_.SetTitleSink([this](const std::string& t) { setWindowTitle(QString::fromUtf8(t.c_str())); });
  status_.SetTitleSource([this] { return CurrentTitleState(); });
  status_.Start();
}

void TMainForm::ReadMarkerFile() { marker_ = ReadDeveloperMarker(MarkerFilePath()); }

void TMainForm::BuildPages() {
  // The map-editor list is emptied and the pages are created here (common,
  // Miscellaneous, Sensors, Bike, Advance Map, Power out, Servo, Test) once
  // they exist; the COM menu items were created with the menu.
  NormaliseEditedImage();
}

void TMainForm::RouteHints() {
  // Status tips reach event() below, which writes them into panel 0.
}

void TMainForm::ResetUnitInformation() {
  unitInfo_.Reset();
  buildDate_ = RewriteBuildDate(__DATE__);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%s   RSKEY=%i.%02i   COMPILE=%s", kProductCode, kProgramVersion, 0,
                buildDate_.c_str());
  panels_->SetText(1, "EXE");
  panels_->SetText(2, buf);
  panels_->SetText(3, "HEX");
  panels_->SetText(4, unitInfo_.PanelText());
}

void TMainForm::LoadStartDefaults() {
  params_.edited[Adrb::BIKE] = kStartBike;
  defaults_.LoadDefaults(params_.edited, Group::All);
}

void TMainForm::CentreOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  // Integer division truncates toward zero, also for a window wider than the screen.
  move((s.width() - width()) / 2, (s.height() - height()) / 2);
}

void TMainForm::SetDefaultFilePath() {
  defaultFilePath_ = QCoreApplication::applicationDirPath().toStdString() + "/" + "data.ign";
}

void TMainForm::ApplyTestPort() {
  SyncFileSessionFromSettings();
  if (marker_.testMode && marker_.testPort > 0) settings_.comPort = marker_.testPort;
  comm_->Com().SetConfiguredPort(settings_.comPort);
  comm_->Com().SetNextPort(settings_.comPortAuto);
  comm_->Machine().newInstallation = settings_.newInstal != 0;
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
  // The pages load from the image here. Resetting the undo ring clears the
  // change marks and writes the settings once.
  undo_->ResetUndo();
  ReloadActivePage();
}

void TMainForm::SetFixedVisibility() {
  gaugeProgram_->hide();
  gaugeProgram_->setMaximum(100);
  menu_->Menu("MenuServis")->menuAction()->setVisible(marker_.testMode);
  // The page controls of features this unit family lacks are hidden by the pages.
}

void TMainForm::RefreshMapEditors() {
  // Each map editor reloads its data and redraws fully, once editors exist.
}

void TMainForm::RefreshActivePageControls() {
  // The active page's controls follow the image, once pages exist.
}

void TMainForm::AcceptDrops() { setAcceptDrops(true); }

void TMainForm::CheckAddressMap() {
  for (const std::string& message : ConsistencyMessages(CurrentLayout())) ShowErrorBox(message);
}

void TMainForm::ResetConnectionState() {
  if (!comm_->LinkDisabled())
    status_.ShowStatus(Slot::Connection, kNoConnection, -1, Colour::Black, Colour::Red,
                       StatusPriority::NoConnection);
  params_.unitValid = false;
  CompareImages(params_, status_);
  unitInfo_.Reset();
  panels_->SetText(4, unitInfo_.PanelText());
}

void TMainForm::RefreshLiveDisplay() {
  // The live display shows the monitor record once, when it exists.
}

void TMainForm::StartUpdateCheck() {
  // The update check starts here (and honours noPatchCheck_) once it exists.
}

void TMainForm::ResetRecorder() {
  // The recorder and player are reset here once they exist.
}

// ---- Shutdown -----------------------------------------------------------------

void TMainForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  StopRecorder();
  StopUpdateCheck();
  CloseAllPorts();
  StoreActivePage();
  NormaliseEditedImage();
  WriteAppSettings();
  status_.FreeTexts();
}

void TMainForm::StopRecorder() {
  // A running recording is written out here once the recorder exists.
}

void TMainForm::StopUpdateCheck() {
  // The update check's stop flag is set here once it exists.
}

void TMainForm::CloseAllPorts() { comm_->Com().CloseAll(); }

void TMainForm::StoreActivePage() {
  // The active page's controls are stored into the image here once pages exist.
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

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    // A key the control ignores travels on to its parents through this filter
    // again; it is offered to the map editor only on its first stop.
    const bool propagated = e == routedKey_ && routedTo_ && w && w != routedTo_ && w->isAncestorOf(routedTo_);
    if (w && w->window() == this && !propagated) {
      routedKey_ = e;
      routedTo_ = w;
      if (ShortCut(static_cast<QKeyEvent*>(e))) return true;
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

bool TMainForm::ShortCut(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: return mapEditorKeys_ && mapEditorKeys_(key);
    default: return false;
  }
}

// ---- Helpers ------------------------------------------------------------------

void TMainForm::NormaliseEditedImage() {
  int language = CurrentLanguage();
  NormaliseImage(params_.edited, {&language, &settings_.comPort, &settings_.comPortAuto});
  if (language != CurrentLanguage()) SetLanguage(language);
}

void TMainForm::ReloadActivePage() {
  // The active page loads its controls from the image once pages exist.
}

void TMainForm::Trace(const std::string& text) { comm_->Trace(text.c_str()); }

void TMainForm::RefreshLanguageChecks() {
  menu_->Item("MenuEnglish")->setChecked(CurrentLanguage() == LNG_ENGLISH);
  menu_->Item("MenuGerman")->setChecked(CurrentLanguage() == LNG_DEUTSCH);
  menu_->Item("MenuCzech")->setChecked(CurrentLanguage() == LNG_CESKY);
}

void TMainForm::MenuLanguageClick(int language) {
  ChangeLanguage(language);
  ReloadActivePage();
}

TitleState TMainForm::CurrentTitleState() const {
  TitleState t;
  t.saved = params_.saved;
  t.fileName = settings_.file;
  t.linkDisabled = comm_ && comm_->LinkDisabled();
  return t;
}

}  // namespace ign
