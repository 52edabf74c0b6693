// TMainForm: the developer tools of the "Servis" menu and the Test page, the
// self-test start, and the About box.
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "core/app/dump_loader.h"
#include "core/app/preset_files.h"
#include "core/device/engine.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "ui/app/about_box.h"
#include "ui/app/dialog_filter.h"
#include "ui/app/dialog_start_folder.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

constexpr const char* kNewFolder = "new_ign";
constexpr const char* kOldFolder = "new_ign_old";
constexpr int kMsgOpenFileError = 33;  // "Open file error!"
constexpr const char* kSaved =
    "###%i settings files written to \"%s\".##%i Kenndatendateien in \"%s\" geschrieben.##%i souborů s "
    "parametry zapsáno do \"%s\".";
constexpr const char* kResults =
    "###Results in file \"%s\"##Ergebnisse in der Datei \"%s\"##Výsledky v souboru \"%s\"";
constexpr const char* kShortDump =
    "###Only %i of 1050 bytes could be read at offset 0x%x; nothing was loaded.##Nur %i von 1050 Bytes ab "
    "Offset 0x%x lesbar; nichts wurde geladen.##Přečteno jen %i z 1050 bajtů od posunu 0x%x; nic nebylo "
    "načteno.";

std::string Printf(const char* format, auto... args) {
  char buf[1024];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

}  // namespace

void TMainForm::MenuSaveAllNewClick() {
  pages_->CommitPending();
  const PresetSaveResult result = SavePresetFiles(kNewFolder);
  if (!result.folderOk) {
    ShowFileMessage(std::string(Msg(kMsgOpenFileError)) + "\n" + result.folder);
    return;
  }
  if (!result.failed.empty()) {
    std::string text = Msg(kMsgOpenFileError);
    for (const std::string& f : result.failed) text += "\n" + f;
    ShowFileMessage(text);
    return;
  }
  ShowFileMessage(Printf(LngStr(kSaved), kPresetBikes, result.folder.c_str()));
}

void TMainForm::MenuCompareAllClick() {
  pages_->CommitPending();
  const PresetCompareResult result = ComparePresetFiles(kOldFolder, kNewFolder);
  if (!result.ok) {
    ShowFileMessage(std::string(Msg(kMsgOpenFileError)) + "\n" + result.path);
    return;
  }
  ShowFileMessage(Printf(LngStr(kResults), result.path.c_str()));
}

// LOAD BIN RS: the image from a dump, normalised and committed like Open.
void TMainForm::ButtonLoadBinClick() {
  auto* edit = findChild<QLineEdit*>("EditLoadBin");
  const std::optional<uint32_t> offset = edit ? ParseDumpOffset(edit->text().toStdString()) : std::nullopt;
  if (!offset) return;
  const std::string path =
      chooseDumpFile_
          ? chooseDumpFile_()
          : QFileDialog::getOpenFileName(this, QString(), DialogStart(DialogFolderOf(dialogFileName_)),
                                         DialogFilter("Memory dump|*.bin"))
                .toStdString();
  if (path.empty()) return;
  pages_->CommitPending();
  Image image = params_.Edited();
  const DumpRead read = LoadDump(path, *offset, image);
  if (!read.opened) {
    ShowFileMessage(std::string(Msg(kMsgOpenFileError)) + "\n" + path);
    return;
  }
  if (!read.Complete()) {
    ShowFileMessage(Printf(LngStr(kShortDump), int(read.bytesRead), unsigned(*offset)));
    return;
  }
  params_.Replace(image);
  CommitImageChange();
  pages_->LoadPages(true);
}

// Self-test: only with a unit; a turning engine is reset first.
void TMainForm::ButtonSelftestClick() {
  session_->Monitor().StartSelfTest();
  liveDisplay_->ShowSelfTest(session_->Monitor().SelfTest());
}

void TMainForm::MenuAboutClick() {
  TAboutBox box(this, AboutLines(ProgramIdentification(), UnitPanelText()));
  if (aboutHook_) {
    aboutHook_(box);
    return;
  }
  box.exec();
}

}  // namespace ign
