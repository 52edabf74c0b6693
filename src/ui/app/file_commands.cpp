// TMainForm: the File menu (Open, Save, Quicksave version, recent files),
// dropped files, and the settings-file commands' host.
#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "core/base/program_folder.h"
#include "core/device/engine.h"
#include "core/files/ign_format.h"
#include "core/files/unit_identity.h"
#include "core/text/lngstr.h"
#include "ui/app/analysis_host.h"
#include "ui/app/dialog_filter.h"
#include "ui/app/dialog_start_folder.h"
#include "ui/app/file_host.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/start_args.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

// "exe dir" of the preset file: beside the program in the build tree, the
// settings folder when installed (PresetFolder).
std::string PresetFileFolder(const SettingsPaths& paths) {
  std::string settings = paths.folder;
  if (!settings.empty() && settings.back() == '/') settings.pop_back();
  return PresetFolder(QCoreApplication::applicationDirPath().toStdString(), settings);
}

SaveNameChooser& SaveChooser() {
  static SaveNameChooser chooser;
  return chooser;
}

constexpr const char* kNotTakenAsSaved =
    "###The file is not taken as saved: Save asks for a name.##Die Datei gilt nicht als gespeichert: "
    "Speichern fragt nach einem Namen.##Soubor se nepovažuje za uložený: Uložit se zeptá na jméno.";

}  // namespace

void SetSaveNameChooser(SaveNameChooser chooser) { SaveChooser() = std::move(chooser); }

// ---- The settings-file commands' view -------------------------------------------

void TMainForm::FileMessage(const std::string& text) { ShowFileMessage(text); }
void TMainForm::CommitPendingChange() { pages_->CommitPending(); }
void TMainForm::ReloadAllPages() { pages_->LoadPages(true); }

void TMainForm::CreateFileCommands() {
  files_ = &session_->Files();
  files_->newInstallation = &settings_.newInstal;
  connect(menu_->Item("MenuOpen"), &QAction::triggered, this, &TMainForm::MenuOpenClick);
  connect(menu_->Item("MenuSave"), &QAction::triggered, this, &TMainForm::MenuSaveClick);
  connect(menu_->Item("MenuQuicksave"), &QAction::triggered, this, &TMainForm::MenuQuicksaveClick);
  connect(menu_->Item("MenuOpenPage"), &QAction::triggered, this,
          [this] { OpenWithDialog(ActivePageIndex()); });
  connect(menu_->Item("MenuOpenExeDir"), &QAction::triggered, this, [this] {
    files_->PresetDefaultFile(PresetFileFolder(paths_));
    dialogFileName_ = files_->session.dialogFile;
    OpenWithDialog(Group::All);
  });
  connect(menu_->Item("MenuSaveExeDir"), &QAction::triggered, this, [this] {
    files_->PresetDefaultFile(PresetFileFolder(paths_));
    dialogFileName_ = files_->session.dialogFile;
    MenuSaveClick();
  });
  for (const char* name : {"MenuOpen", "MenuSave", "MenuOpenPage", "MenuOpenExeDir", "MenuSaveExeDir"})
    menu_->Item(name)->setEnabled(true);
}

void TMainForm::ShowFileMessage(const std::string& text) {
  if (fileMessageSink_) {
    fileMessageSink_(text);
    return;
  }
  QMessageBox::information(this, QString::fromLatin1(kProductCode), QString::fromUtf8(text.c_str()));
}

// The session names of the file commands and the settings' names are one state.
void TMainForm::SyncFileSessionFromSettings() {
  files_->developerTest = marker_.testMode;
  files_->session.currentFile = settings_.file;
  files_->session.lastPath = settings_.iniFileDir;
  files_->session.dialogFile = dialogFileName_;
}

void TMainForm::AfterFileCommand(bool refreshTitle) {
  settings_.file = files_->session.currentFile;
  settings_.iniFileDir = files_->session.lastPath;
  dialogFileName_ = files_->session.dialogFile;
  menu_->Item("MenuQuicksave")->setEnabled(files_->session.fileIsCurrent);
  if (refreshTitle) status_.RefreshTitle();
}

// ---- Open -----------------------------------------------------------------------

// A file that was read but is damaged: a warning box naming the line and
// what is missing (recorded by the file-message sink where one is set).
static void WarnDamagedFile(QWidget* parent, const std::function<void(const std::string&)>& sink,
                            const IgnReadResult& result, const std::string& path) {
  if (!result.Accepted() || !result.damage) return;
  const std::string text =
      IgnDamageMessage(*result.damage, QFileInfo(QString::fromStdString(path)).fileName().toStdString()) +
      "\n\n" + LngStr(kNotTakenAsSaved);
  if (sink) {
    sink(text);
    return;
  }
  QMessageBox::warning(parent, QString::fromLatin1(kProductCode), QString::fromUtf8(text.c_str()));
}

void TMainForm::OpenSettingsFile(const std::string& name, int group) {
  files_->session.dialogFile = name;
  const IgnReadResult result = files_->LoadSettingsFile(name, group);
  AfterFileCommand();
  WarnDamagedFile(this, fileMessageSink_, result, name);
}

void TMainForm::MenuOpenClick() { OpenWithDialog(Group::All); }

void TMainForm::OpenWithDialog(int group) {
  QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Open"), DialogStart(dialogFileName_),
      DialogFilter(kIgnOpenFilter) + QStringLiteral(";;") + DialogFilter(kRideLogFilter));
  if (path.isEmpty()) return;
  if (IsRecordingName(path.toStdString()) || IsCsvLogName(path.toStdString())) {
    RideAnalysisOf(*this)->OpenLog(path.toStdString());
    return;
  }
  const IgnReadResult result = files_->OpenConfirmed(path.toStdString(), group);
  AfterFileCommand();
  WarnDamagedFile(this, fileMessageSink_, result, path.toStdString());
}

void TMainForm::HandleDroppedFiles(const std::vector<std::string>& names) {
  if (auto file = FirstSettingsFile(names)) {
    OpenSettingsFile(*file, Group::All);
    return;
  }
  // No settings file: a ride log goes to the analysis.
  for (const std::string& name : names)
    if (IsRecordingName(name) || IsCsvLogName(name)) return RideAnalysisOf(*this)->OpenLog(name);
}

void TMainForm::OpenGivenFile(const std::string& path) {
  if (IsRecordingName(path))
    session_->Monitor().PlayFile(path);
  else
    OpenSettingsFile(path, Group::All);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  std::vector<std::string> names;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
  HandleDroppedFiles(names);
  event->acceptProposedAction();
}

// ---- Save -----------------------------------------------------------------------

void TMainForm::MenuSaveClick() {
  const QString start = DialogStart(dialogFileName_);
  QString path = SaveChooser() ? QString::fromStdString(SaveChooser()(start.toStdString()))
                               : QFileDialog::getSaveFileName(this, QStringLiteral("Save"), start,
                                                              DialogFilter(kIgnSaveFilter));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".ign";
  SaveSettingsAs(path.toStdString());
}

void TMainForm::SaveSettingsAs(const std::string& path) {
  files_->Save(path);
  AfterFileCommand();
}

void TMainForm::MenuQuicksaveClick() {
  if (files_->QuicksaveVersion() == QuicksaveStatus::UseSave) {
    MenuSaveClick();
    return;
  }
  // The title keeps the quick-saved name the command has just shown.
  AfterFileCommand(false);
}

// ---- Recent files ---------------------------------------------------------------

void TMainForm::AddRecent(const std::string& name) {
  recent_.Add(name);
  ShowRecent();
}

void TMainForm::RemoveRecent(const std::string& name) {
  recent_.Remove(name);
  ShowRecent();
}

void TMainForm::ShowRecent() {
  for (int i = 1; i <= CRecentFiles::kMenuItems; ++i) {
    QAction* item = menu_->history[size_t(i)];
    const bool visible = recent_.ItemVisible(i);
    item->setVisible(visible);
    if (visible) {
      // A '&' in a file name is shown, not taken as a menu accelerator.
      QString caption = QString::fromUtf8(CRecentFiles::Caption(i, recent_.Entry(i)).c_str());
      item->setText(caption.replace('&', QStringLiteral("&&")));
    }
  }
  menu_->historyEnd->setVisible(recent_.SeparatorVisible());
}

void TMainForm::MenuHistoryClick(int index) {
  if (index < 1 || index >= recent_.Count()) return;
  // A copy: loading moves the entry to the front of the list.
  const std::string name = recent_.Entry(index);
  OpenSettingsFile(name, Group::All);
}

}  // namespace ign
