#pragma once
// The main menu of the main window: every menu and item with its caption,
// shortcut and object name. The window connects the handlers; an item whose
// feature is not built yet stays disabled.
#include <QObject>
#include <array>
#include <map>
#include <string>

class QAction;
class QMainWindow;
class QMenu;

namespace ign {

class TMainMenu {
 public:
  static constexpr int kHistoryItems = 9;
  static constexpr int kComItems = 30;

  explicit TMainMenu(QMainWindow& window);

  // Any menu or item by its object name (nullptr when unknown).
  QAction* Item(const std::string& name) const;
  QMenu* Menu(const std::string& name) const;

  QMenu* comMenu = nullptr;
  std::array<QAction*, kHistoryItems + 1> history{};  // [1..9]; [0] unused
  QAction* historyEnd = nullptr;
  std::array<QAction*, kComItems> com{};

 private:
  QAction* Add(QMenu* menu, const char* name, const char* caption, const char* shortcut = nullptr);
  QMenu* AddMenu(const char* name, const char* caption);

  QMainWindow& window_;
  std::map<std::string, QAction*> items_;
  std::map<std::string, QMenu*> menus_;
};

}  // namespace ign
