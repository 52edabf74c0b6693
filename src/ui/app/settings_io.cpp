// TMainForm: reading and writing the application settings and the image of
// the last run.
#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

#include "core/app/default_ini.h"
#include "core/app/window_fit.h"
#include "core/device/engine.h"
#include "core/text/language.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {

std::vector<ScreenRect> ScreenRects() {
  std::vector<ScreenRect> out;
  for (QScreen* s : QGuiApplication::screens()) {
    QRect g = s->geometry();
    out.push_back({g.x(), g.y(), g.width(), g.height()});
  }
  return out;
}

}  // namespace

void TMainForm::ReadAppSettings() {
  AppSettings s = settings_;
  s.left = x(), s.top = y(), s.height = height(), s.width = width();
  s.language = LanguageToSettings(CurrentLanguage());
  s.activePage =
      layout_->pageControl->currentIndex() < 0 ? settings_.activePage : layout_->pageControl->currentIndex();
  LoadAppSettings(paths_.appIni, s);

  // 1. Placement, fitted onto the screens that exist now. A saved size that is
  // not a size at all keeps the design size.
  ScreenRect r{s.left, s.top, s.width > 0 ? s.width : width(), s.height > 0 ? s.height : height()};
  r = FitWindowOntoScreens(r, ScreenRects());
  move(r.left, r.top);
  resize(r.width, r.height);

  // 2. Installation flag, port choice, language.
  settings_.newInstal = s.newInstal;
  settings_.comPort = s.comPort;
  settings_.comPortAuto = s.comPortAuto;
  settings_.comRows = s.comRows;
  settings_.language = s.language;
  if (int language = LanguageFromSettings(s.language); language >= 0) SetLanguage(language);

  // 3. The current file and the folder of the file dialogs.
  settings_.file = s.file;
  settings_.iniFileDir = s.iniFileDir;
  dialogFileName_ = s.iniFileDir;

  // 4. The active page.
  settings_.activePage = s.activePage;
  if (s.activePage >= 0 && s.activePage < layout_->pageControl->count())
    layout_->pageControl->setCurrentIndex(s.activePage);

  // 5. The player panel.
  settings_.monitorPlayer = s.monitorPlayer;
  layout_->groupBoxPlayer->setVisible(s.monitorPlayer != 0);
  menu_->Item("MenuMonitorPlayer")->setChecked(s.monitorPlayer != 0);

  // 6. The recent-file list.
  recent_.Assign(s.history);
  ShowRecent();

  // 7. The image of the last run; a missing file leaves the defaults.
  ReadImageFile(paths_.defaultIni, params_.Working().data(), RS_LEN_EXE);

  // 8.
  NormaliseEditedImage();
}

void TMainForm::WriteAppSettings() {
  AppSettings s = settings_;
  s.left = x(), s.top = y(), s.height = height(), s.width = width();
  s.language = LanguageToSettings(CurrentLanguage());
  if (layout_->pageControl->count() > 0) s.activePage = layout_->pageControl->currentIndex();
  s.monitorPlayer = layout_->groupBoxPlayer->isHidden() ? 0 : 1;
  s.history = recent_.Entries();
  // The flag only ever goes from 1 to 0: a read of the unit clears the
  // machine's copy, an opened file the settings' own.
  if (engine_) {
    s.comPortAuto = engine_->Com().NextPort();
    s.comRows = engine_->Com().Memory().ToText();
    s.newInstal = (s.newInstal != 0 && engine_->Machine().newInstallation) ? 1 : 0;
    engine_->Machine().newInstallation = s.newInstal != 0;
  }
  settings_ = s;
  ign::SaveAppSettings(paths_.appIni, s);
  WriteImageFile(paths_.defaultIni, params_.Edited().data(), RS_LEN_EXE);
}

void TMainForm::MenuMonitorPlayerClick() {
  const bool show = layout_->groupBoxPlayer->isHidden();
  layout_->groupBoxPlayer->setVisible(show);
  menu_->Item("MenuMonitorPlayer")->setChecked(show);
  WriteAppSettings();
}

}  // namespace ign
