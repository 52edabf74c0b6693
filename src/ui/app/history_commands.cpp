#include "ui/app/history_commands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

#include "core/files/ign_format.h"
#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "core/text/relabel.h"
#include "ui/app/device_commands.h"
#include "ui/app/dialog_filter.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/mapedit/editor_list.h"
#include "ui/pages/pages.h"
#include "ui/pages/power_out_maps.h"

namespace ign {

namespace {

// The identifiers the pages create their map editors with, and the sheet
// each map is on.
constexpr int kAdvanceEditor = 0, kServoEditor = 1;
constexpr int kMsgOpenFileError = 33;

struct EditorSheet {
  int editor = -1;
  int sheet = 0;
};

EditorSheet EditorOf(MapKind map) {
  switch (map) {
    case MapKind::Advance1: return {kAdvanceEditor, 0};
    case MapKind::Advance2: return {kAdvanceEditor, 1};
    case MapKind::Servo: return {kServoEditor, 0};
    case MapKind::PwmOut1: return {kPwmEditorIdentifier, 0};
    case MapKind::PwmOut2: return {kPwmEditorIdentifier + 1, 0};
    case MapKind::SwitchOut1: return {kSwitchEditorIdentifier, 0};
    case MapKind::SwitchOut2: return {kSwitchEditorIdentifier + 1, 0};
    case MapKind::None: break;
  }
  return {};
}

const char* const kUnit = "###Unit##Gerät##Jednotka";
const char* const kEditor = "###Editor##Editor##Editor";
const char* const kFile = "###File##Datei##Soubor";

}  // namespace

THistoryCommands::THistoryCommands(TMainForm& form) : QObject(&form), form_(form) {
  setObjectName(QStringLiteral("HistoryCommands"));
  const std::string folder = form.Paths().folder;
  recorder_ = std::make_unique<CHistoryRecorder>(HistoryFilePath(folder));
  recorder_->SetEnabled(!folder.empty());
  recorder_->SetFileSource([&form] { return form.CurrentFile(); });
  recorder_->SetNoticeSink([this](const HistoryNotice& n) {
    // After the tick: a window opens only once the step has returned.
    QMetaObject::invokeMethod(
        this, [this, n] { Noticed(n); }, Qt::QueuedConnection);
  });
  // A history that exists is looked at now, so that a damaged one is told at
  // the start; a new one is made by the first entry.
  if (!folder.empty() && QFileInfo::exists(QString::fromStdString(HistoryFilePath(folder))))
    recorder_->OpenNow();
  form.Session().SetHistory(recorder_.get());
  TMainMenu& menu = form.MainMenu();
  connect(menu.Item("MenuUnitHistory"), &QAction::triggered, this, &THistoryCommands::MenuUnitHistoryClick);
  connect(menu.Item("MenuCompareUnit"), &QAction::triggered, this, &THistoryCommands::MenuCompareUnitClick);
  connect(menu.Item("MenuCompareFile"), &QAction::triggered, this, &THistoryCommands::MenuCompareFileClick);
  relabelStep_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] {
    if (window_) window_->Relabel();
  });
}

// The window's session goes with its members, before the window's children:
// it never steps into a recorder that is gone.
THistoryCommands::~THistoryCommands() { UnregisterRelabelStep(relabelStep_); }

THistoryCommands* THistoryCommands::Of(TMainForm& form) {
  return form.findChild<THistoryCommands*>(QStringLiteral("HistoryCommands"), Qt::FindDirectChildrenOnly);
}

void THistoryCommands::Noticed(const HistoryNotice& n) {
  if (window_ && window_->isVisible()) window_->Reload();
  if (n.record.event == HistoryEvent::Verify && n.record.held && n.record.given)
    ShowDifferences(*n.record.held, *n.record.given, kUnit, kEditor);
}

void THistoryCommands::MenuUnitHistoryClick() {
  if (!window_) window_ = new THistoryWindow(*recorder_, *this, &form_);
  window_->Reload();
  window_->show();
  window_->raise();
}

// With the unit's settings known the comparison shows at once; otherwise a
// Verify reads them, and one that finds differences opens the view.
void THistoryCommands::MenuCompareUnitClick() {
  const CSettingsDoc& p = form_.Params();
  form_.Pages().CommitPending();
  if (p.UnitValid()) {
    ShowDifferences(p.Unit(), p.Edited(), kUnit, kEditor);
    return;
  }
  form_.DeviceCommands().MenuVerifyClick();
}

void THistoryCommands::MenuCompareFileClick() {
  const std::string path = ChooseFile(false);
  if (!path.empty()) CompareWithFile(path);
}

void THistoryCommands::CompareWithFile(const std::string& path) {
  form_.Pages().CommitPending();
  // What Open would make of the editor's settings, on a copy: the file's
  // values over the editor's, defaults between the two passes when the file
  // names a bike, normalised. The parameters a file does not carry compare
  // as the editor has them.
  Image file = form_.Params().Edited();
  CDefaults defaults = form_.Defaults();
  IgnReadOptions options;
  options.developerTest = form_.DeveloperTestMode();
  const IgnReadResult first = ReadSettingsFile(path, file, defaults, options, nullptr);
  if (first.bikeSection) defaults.LoadDefaults(file, Group::All);
  const IgnReadResult read = ReadSettingsFile(path, file, defaults, options, nullptr);
  if (!read.Accepted()) {
    form_.ShowFileMessage(std::string(Msg(kMsgOpenFileError)) + "\n" + path);
    return;
  }
  NormaliseImage(file);
  ShowDifferences(form_.Params().Edited(), file, kEditor, kFile);
}

void THistoryCommands::ShowDifferences(const Image& a, const Image& b, const char* titleA,
                                       const char* titleB) {
  if (!view_) view_ = new TDifferenceView(*this, &form_);
  view_->Compare(a, b, QString::fromUtf8(LngStr(titleA)), QString::fromUtf8(LngStr(titleB)));
  view_->show();
  view_->raise();
}

std::string THistoryCommands::ChooseFile(bool save) {
  if (chooser_) return chooser_(save);
  QWidget* parent = window_ && window_->isVisible() ? static_cast<QWidget*>(window_) : &form_;
  const QString path =
      save ? QFileDialog::getSaveFileName(
                 parent, QString::fromUtf8(LngStr("###Save as##Speichern unter##Uložit jako")), QString(),
                 DialogFilter(kIgnSaveFilter))
           : QFileDialog::getOpenFileName(
                 parent, QString::fromUtf8(LngStr("###Compare with##Vergleichen mit##Porovnat s")), QString(),
                 DialogFilter(kIgnOpenFilter));
  if (path.isEmpty()) return {};
  return (save && QFileInfo(path).suffix().isEmpty() ? path + ".ign" : path).toStdString();
}

// One undo step: the settings replace the editor's and are committed once.
void THistoryCommands::OpenInEditor(const Image& image) {
  form_.Pages().CommitPending();
  form_.Params().Replace(std::span<const uint8_t>(image.data(), RS_LEN_EXE));
  form_.CommitImageChange();
  form_.Pages().LoadPages(true);
}

void THistoryCommands::SaveAs(const Image& image) {
  const std::string path = ChooseFile(true);
  if (path.empty()) return;
  if (!SaveSettingsFile(path, image, IgnVersions{}))
    form_.ShowFileMessage(std::string(Msg(kMsgOpenFileError)) + "\n" + path);
}

// Through the same checks and questions as the Program command.
void THistoryCommands::ProgramImage(const Image& image) {
  if (!UnitConnected()) return;
  OpenInEditor(image);
  form_.DeviceCommands().MenuProgramClick();
}

bool THistoryCommands::UnitConnected() const { return form_.Session().Machine().Connected(); }

void THistoryCommands::MarkDifferences(const std::vector<DifferenceLine>& lines) {
  std::map<int, std::vector<DifferenceMark>> marks;  // by editor
  for (const DifferenceLine& line : lines) {
    const EditorSheet at = EditorOf(line.place.map);
    if (at.editor >= 0) marks[at.editor].push_back({at.sheet, line.place.column, line.place.row});
  }
  for (TTab* tab : TMapEditorList::Of(&form_).Editors()) {
    auto it = marks.find(tab->Identifier());
    tab->SetDifferenceMarks(it == marks.end() ? std::vector<DifferenceMark>{} : it->second);
  }
}

}  // namespace ign
