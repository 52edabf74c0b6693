#include "ui/app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace ign {

TMainMenu::TMainMenu(QMainWindow& window) : window_(window) {
  QMenu* file = AddMenu("MenuFile", "&File");
  Add(file, "MenuNew", "&New", "Ctrl+N");
  Add(file, "MenuNewPage", "&New for actual page", "Ctrl+Alt+N");
  Add(file, "MenuOpen", "&Open", "F3");
  Add(file, "MenuOpenExeDir", "Open from exe dir", "Ctrl+F3");
  Add(file, "MenuOpenPage", "&Open for actual page", "Shift+F3");
  Add(file, "MenuSave", "&Save", "F2");
  Add(file, "MenuSaveExeDir", "Save to exe dir", "Ctrl+F2");
  Add(file, "MenuQuicksave", "Quicksave version", "Shift+F2");
  file->addSeparator();
  for (int i = 1; i <= kHistoryItems; ++i) {
    std::string name = "MenuHistory" + std::to_string(i);
    history[size_t(i)] = Add(file, name.c_str(), name.c_str());
    history[size_t(i)]->setVisible(false);
  }
  historyEnd = file->addSeparator();
  historyEnd->setObjectName("MenuHistoryEnd");
  historyEnd->setVisible(false);
  items_["MenuHistoryEnd"] = historyEnd;
  Add(file, "MenuPrint", "&Print", "Ctrl+P");
  Add(file, "MenuPrintAll", "Print All")->setVisible(false);
  file->addSeparator();
  Add(file, "MenuExit", "E&xit");

  comMenu = AddMenu("MenuCom", "&Com");
  for (int i = 0; i < kComItems; ++i) {
    std::string name = "MenuCom" + std::to_string(i + 1);
    com[size_t(i)] = Add(comMenu, name.c_str(), ("COM" + std::to_string(i + 1)).c_str());
    com[size_t(i)]->setVisible(false);
  }

  QMenu* device = AddMenu("MenuDevice", "&Device");
  Add(device, "MenuRead", "&Read", "F7");
  Add(device, "MenuVerify", "&Verify", "F8");
  Add(device, "MenuProgram", "&Program", "F9");
  Add(device, "MenuReset", "&Reset");
  device->addSeparator();
  Add(device, "MenuUnitHistory", "Unit &history...", "Ctrl+H");
  Add(device, "MenuCompareUnit", "Compare with &unit");
  Add(device, "MenuCompareFile", "Compare with &file...");
  device->addSeparator();
  Add(device, "MenuUpdate", "&Update");

  QMenu* tools = AddMenu("MenuTools", "&Tools");
  Add(tools, "MenuAdvanceMinus", "Advance -", "F4");
  Add(tools, "MenuAdvancePlus", "Advance +", "F5");
  tools->addSeparator();
  Add(tools, "MenuZpet", "Undo", "Ctrl+Z");
  // Redo also answers to the keys other desktop programs use for it.
  Add(tools, "MenuZnovu", "Redo", "Ctrl+Alt+Z")
      ->setShortcuts({QKeySequence("Ctrl+Alt+Z"), QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  tools->addSeparator();
  Add(tools, "MenuMonitorPlayer", "Monitor Player", "Ctrl+M")->setCheckable(true);
  Add(tools, "MenuCSVout", "CSV output monitor");
  Add(tools, "MenuRideAnalysis", "Ride analysis");

  QMenu* language = AddMenu("MenuLanguage", "&Language");
  for (const char* n : {"MenuEnglish", "MenuGerman", "MenuCzech"}) {
    QAction* a = Add(language, n, n);
    a->setCheckable(true);
  }
  items_["MenuEnglish"]->setText("&English");
  items_["MenuGerman"]->setText("&German");
  items_["MenuCzech"]->setText("&Czech");

  QMenu* help = AddMenu("MenuHelp", "&Help");
  Add(help, "MenuContens", "&Contens", "F1");
  Add(help, "MenuUpdateCheck", "Check for updates at start")->setCheckable(true);
  Add(help, "MenuAbout", "&About...");

  QMenu* servis = AddMenu("MenuServis", "Servis");
  Add(servis, "MenuSaveAllNew", "Save All New");
  Add(servis, "MenuCompareAll", "Compare All New");
  servis->menuAction()->setVisible(false);
}

QAction* TMainMenu::Add(QMenu* menu, const char* name, const char* caption, const char* shortcut) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(name);
  if (shortcut) {
    a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    // Shortcuts work while any control of the window has the focus.
    a->setShortcutContext(Qt::WindowShortcut);
  }
  items_[name] = a;
  return a;
}

QMenu* TMainMenu::AddMenu(const char* name, const char* caption) {
  QMenu* m = window_.menuBar()->addMenu(QString::fromUtf8(caption));
  m->setObjectName(name);
  m->menuAction()->setObjectName(QString::fromLatin1(name) + "Action");
  menus_[name] = m;
  return m;
}

QAction* TMainMenu::Item(const std::string& name) const {
  auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* TMainMenu::Menu(const std::string& name) const {
  auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

}  // namespace ign
