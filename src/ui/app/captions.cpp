#include "ui/app/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

#include "core/text/caption_table.h"
#include "core/text/relabel.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {

// A menu item, or the action of a whole menu, by object name.
QAction* MenuAction(const TMainMenu* menu, const char* name) {
  if (!menu) return nullptr;
  if (QAction* a = menu->Item(name)) return a;
  if (QMenu* m = menu->Menu(name)) return m->menuAction();
  return nullptr;
}

QWidget* Control(QWidget& window, const char* name) {
  return window.findChild<QWidget*>(QString::fromLatin1(name));
}

// A tool button that repeats a menu command shows that command's caption and
// tool tip; its texts go to the command.
QAction* CommandOf(QWidget* w) {
  auto* b = qobject_cast<QToolButton*>(w);
  return b ? b->defaultAction() : nullptr;
}

// The tab widget that shows w as one of its pages.
QTabWidget* TabsOf(QWidget* w) {
  QWidget* stack = w->parentWidget();
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
  return tabs && tabs->indexOf(w) >= 0 ? tabs : nullptr;
}

void SetCaption(QWidget* w, const QString& text) {
  if (QTabWidget* tabs = TabsOf(w)) {
    tabs->setTabText(tabs->indexOf(w), text);
  } else if (QAction* a = CommandOf(w)) {
    a->setText(text);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(text);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(text);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(text);
  }
}

QString Text(const CaptionRow& row) { return QString::fromUtf8(CaptionWithSuffix(row)); }

}  // namespace

namespace {

// Without a menu (the pages on their own) only the controls' rows count.
void WriteCaptions(QWidget& window, const TMainMenu* menu) {
  for (const CaptionRow& row : MenuCaptionRows()) {
    if (QMenu* m = menu ? menu->Menu(row.name) : nullptr) {
      m->setTitle(Text(row));
    } else if (QAction* a = menu ? menu->Item(row.name) : nullptr) {
      a->setText(Text(row));
    } else if (QWidget* w = Control(window, row.name)) {
      SetCaption(w, Text(row));
    }
  }
  if (QAction* all = menu ? menu->Item("MenuPrintAll") : nullptr) all->setVisible(true);
}

void WriteHintTexts(QWidget& window, const TMainMenu* menu) {
  // Menu items first: where a speed button carries a menu command, the
  // button's hint is the command's tool tip and the item's hint its status
  // text.
  for (const CaptionRow& row : HintRows()) {
    if (QAction* a = MenuAction(menu, row.name)) {
      a->setToolTip(Text(row));
      a->setStatusTip(Text(row));
    }
  }
  for (const CaptionRow& row : HintRows()) {
    if (MenuAction(menu, row.name)) continue;
    QWidget* w = Control(window, row.name);
    if (!w) continue;
    if (QAction* a = CommandOf(w)) {
      a->setToolTip(Text(row));
    } else {
      w->setToolTip(Text(row));
      w->setStatusTip(Text(row));
    }
  }
}

std::vector<int> RegisterSteps(QWidget& window, const TMainMenu* menu) {
  QWidget* w = &window;
  return {
      RegisterRelabelStep(RelabelOrder::MenuCaptions, [w, menu] { WriteCaptions(*w, menu); }),
      RegisterRelabelStep(RelabelOrder::Hints, [w, menu] { WriteHintTexts(*w, menu); }),
      RegisterRelabelStep(RelabelOrder::PageTexts, [w] { WritePageTexts(*w); }),
  };
}

}  // namespace

void WriteMenuCaptions(QWidget& window, const TMainMenu& menu) { WriteCaptions(window, &menu); }
void WriteHints(QWidget& window, const TMainMenu& menu) { WriteHintTexts(window, &menu); }

void WritePageTexts(QWidget& window) {
  for (CaptionPage page : kAllCaptionPages) {
    for (const CaptionRow& row : PageTextRows(page)) {
      if (IsCaptionRole(row)) continue;  // the page labels these itself
      if (QWidget* w = Control(window, row.name)) SetCaption(w, Text(row));
    }
  }
}

std::vector<std::string> MissingCaptionTargets(QWidget& window, const TMainMenu& menu) {
  std::vector<std::string> missing;
  auto check = [&](const CaptionRow& row) {
    if (IsCaptionRole(row) || MenuAction(&menu, row.name) || Control(window, row.name)) return;
    missing.emplace_back(row.name);
  };
  for (const CaptionRow& row : MenuCaptionRows()) check(row);
  for (const CaptionRow& row : HintRows()) check(row);
  for (CaptionPage page : kAllCaptionPages)
    for (const CaptionRow& row : PageTextRows(page)) check(row);
  return missing;
}

std::vector<int> RegisterCaptionSteps(QWidget& window, const TMainMenu& menu) {
  return RegisterSteps(window, &menu);
}

std::vector<int> RegisterControlCaptionSteps(QWidget& controls) { return RegisterSteps(controls, nullptr); }

}  // namespace ign
