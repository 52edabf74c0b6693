// The caption and hint tables on the whole window: every row reaches its
// control, every language reaches every control, and every caption fits.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <set>

#include "core/monitor/display.h"
#include "core/status/status_slots.h"
#include "core/text/caption_table.h"
#include "core/text/messages.h"
#include "form_fixture.h"
#include "ui/app/captions.h"
#include "ui/app/main_menu.h"
#include "ui/pages/pages.h"

namespace ign::test {

namespace {

constexpr const char* kLanguageItem[] = {"MenuEnglish", "MenuGerman", "MenuCzech"};
constexpr int kLanguages[] = {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY};

// The tab widget that shows w as one of its pages.
QTabWidget* TabsOf(QWidget* w) {
  QWidget* stack = w->parentWidget();
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
  return tabs && tabs->indexOf(w) >= 0 ? tabs : nullptr;
}

// The caption a control shows, as the relabelling writes it.
QString CaptionOf(QWidget* w) {
  if (QTabWidget* tabs = TabsOf(w)) return tabs->tabText(tabs->indexOf(w));
  if (auto* b = qobject_cast<QToolButton*>(w); b && b->defaultAction()) return b->defaultAction()->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  return {};
}

QString HintOf(QWidget* w) {
  if (auto* b = qobject_cast<QToolButton*>(w); b && b->defaultAction()) return b->defaultAction()->toolTip();
  return w->toolTip();
}

QString Expected(const CaptionRow& row, int language) {
  return QString::fromUtf8(CaptionWithSuffix(row, language));
}

// An item of a menu the window shows (the developer menu is hidden).
bool InVisibleMenu(const QAction* a) {
  auto* menu = qobject_cast<const QMenu*>(a->parent());
  return !menu || menu->menuAction()->isVisible();
}

class CaptionsTest : public FormFixture {
 protected:
  TMainForm& StartShown() {
    TMainForm& f = Start({"ignset", "nopatchcheck"});
    f.resize(1260, 860);
    f.show();
    return f;
  }
  void Switch(int index) { Find<QAction>(kLanguageItem[index])->trigger(); }

  // Every text the window shows: captions of buttons, labels, group boxes,
  // tab texts, menu titles and items, by the object that shows it.
  std::map<const QObject*, QString> VisibleTexts() {
    std::map<const QObject*, QString> texts;
    for (QWidget* w : form_->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(form_.get())) continue;
      if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
          if (tabs->isTabVisible(i)) texts[tabs->widget(i)] = tabs->tabText(i);
        continue;
      }
      const QString text = CaptionOf(w);
      if (!text.isEmpty()) texts[w] = text;
    }
    for (QAction* a : form_->findChildren<QAction*>())
      if (a->isVisible() && !a->text().isEmpty() && InVisibleMenu(a)) texts[a] = a->text();
    return texts;
  }
};

// A text without a letter (numbers, units in brackets, signs) reads the same
// in every language.
bool LanguageNeutral(const QString& text) {
  return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

}  // namespace

TEST_F(CaptionsTest, EveryTableRowHasItsControlOrMenuItem) {
  TMainForm& f = StartShown();
  EXPECT_EQ(MissingCaptionTargets(f, f.MainMenu()), std::vector<std::string>{});
}

TEST_F(CaptionsTest, EveryNamedControlCarriesItsTextInEachLanguage) {
  TMainForm& f = StartShown();
  for (int i : {1, 2, 0}) {
    Switch(i);
    const int lng = kLanguages[i];
    SCOPED_TRACE(lng);
    ASSERT_EQ(CurrentLanguage(), lng);
    for (const CaptionRow& row : MenuCaptionRows()) {
      if (QMenu* m = f.MainMenu().Menu(row.name)) {
        EXPECT_EQ(m->title(), Expected(row, lng)) << row.name;
      } else if (QAction* a = f.MainMenu().Item(row.name)) {
        EXPECT_EQ(a->text(), Expected(row, lng)) << row.name;
      } else {
        QWidget* w = Find<QWidget>(row.name);
        ASSERT_NE(w, nullptr) << row.name;
        EXPECT_EQ(CaptionOf(w), Expected(row, lng)) << row.name;
      }
    }
    for (const CaptionRow& row : HintRows()) {
      if (QAction* a = f.MainMenu().Item(row.name)) {
        EXPECT_EQ(a->statusTip(), Expected(row, lng)) << row.name;
      } else if (QMenu* m = f.MainMenu().Menu(row.name)) {
        EXPECT_EQ(m->menuAction()->statusTip(), Expected(row, lng)) << row.name;
      } else {
        QWidget* w = Find<QWidget>(row.name);
        ASSERT_NE(w, nullptr) << row.name;
        EXPECT_EQ(HintOf(w), Expected(row, lng)) << row.name;
      }
    }
    const std::vector<std::string>& live = MonitorLabelNames();
    for (CaptionPage page : kAllCaptionPages) {
      for (const CaptionRow& row : PageTextRows(page)) {
        if (IsCaptionRole(row)) continue;
        QWidget* w = Find<QWidget>(row.name);
        ASSERT_NE(w, nullptr) << row.name;
        // A label of the live display carries its value after the caption.
        if (std::find(live.begin(), live.end(), row.name) != live.end())
          EXPECT_TRUE(CaptionOf(w).startsWith(Expected(row, lng))) << row.name;
        else
          EXPECT_EQ(CaptionOf(w), Expected(row, lng)) << row.name;
      }
    }
    // Page texts written by the pages themselves.
    EXPECT_EQ(CaptionOf(Find<QWidget>("LabelCorections")), QString::fromUtf8(Msg(71))) << "LabelCorections";
    // Three tab sheets keep their captions in every language.
    EXPECT_EQ(CaptionOf(Find<QWidget>("TabSheetSensors")), "Sensors");
    EXPECT_EQ(CaptionOf(Find<QWidget>("TabSheetPOut")), "Power out");
    EXPECT_EQ(CaptionOf(Find<QWidget>("TabSheetServo")), "Servo");
    // The language items' hints do not follow the language.
    EXPECT_EQ(Find<QAction>("MenuGerman")->statusTip(), QString::fromUtf8("Deutsches Menü"));
  }
}

// After a switch to German nothing of the window still reads as in English,
// except the texts that are the same in both languages.
TEST_F(CaptionsTest, GermanLeavesNoEnglishTextBehind) {
  TMainForm& f = StartShown();
  // clang-format off
  const std::set<QString> sameInBothLanguages = {
      // Words German shares with English.
      "Test", "Tachometer", "Quickshift", "PWM", "Plus", "Minus", "Auto", "1/P [mV]", "TP",
      // Tab sheets that keep their captions in every language.
      "Sensors", "Power out", "Servo",
      // Menu items that keep the captions of the window layout, and the port
      // items, which have no German text of their own.
      "&Update", "&Reset", "CSV output monitor", "Quicksave version", "COM &offline", "COM &auto",
      // Status-bar panels: the program and unit identification, and the
      // unit's state before any unit answered, which has one text.
      "EXE", "HEX", "not connected",
      // Names of sensors and functions the texts give in English only.
      "Synchro IAP", "IAP+Synchro IAP", "Fuel pump", "Servo plus", "Servo minus",
  };
  // The live display's fixed formats and the outputs' names begin so.
  const QStringList neutralStarts = {"RPM = ", "TP= ", "U = ", "Servo = ", "Prop", "Tacho Lambda = ",
                                     "POUT", "Power out "};
  // clang-format on
  std::map<const QObject*, QString> english;
  for (int page :
       {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::PowerOut, Page::Servo, Page::Test}) {
    f.ShowPage(page);
    for (auto& [object, text] : VisibleTexts()) english[object] = text;
  }
  Switch(1);
  std::vector<std::string> leftInEnglish;
  for (int page :
       {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::PowerOut, Page::Servo, Page::Test}) {
    f.ShowPage(page);
    for (auto& [object, text] : VisibleTexts()) {
      auto before = english.find(object);
      if (before == english.end() || before->second != text) continue;
      if (LanguageNeutral(text) || sameInBothLanguages.count(text)) continue;
      if (std::any_of(neutralStarts.begin(), neutralStarts.end(),
                      [&](const QString& start) { return text.startsWith(start); }))
        continue;
      if (object->objectName() == "StatusPanel2") continue;  // the program's identification
      leftInEnglish.push_back(object->objectName().toStdString() + ": " + text.toStdString());
    }
  }
  std::sort(leftInEnglish.begin(), leftInEnglish.end());
  leftInEnglish.erase(std::unique(leftInEnglish.begin(), leftInEnglish.end()), leftInEnglish.end());
  EXPECT_EQ(leftInEnglish, std::vector<std::string>{});
}

TEST_F(CaptionsTest, AShowingStatusMessageFollowsTheLanguage) {
  TMainForm& f = StartShown();
  f.Status().ShowStatus(Slot::Result, "###Working##Arbeit##Pracuji", 60000, Colour::Black, Colour::Yellow,
                        10);
  QLabel* result = Find<QLabel>("LabelResult");
  ASSERT_EQ(result->text(), "Working");
  Switch(2);
  EXPECT_EQ(result->text(), "Pracuji");
  Switch(1);
  EXPECT_EQ(result->text(), "Arbeit");
}

// Every caption fits its control on every page in every language: a text cut
// off in one language is a fault, not a layout detail.
TEST_F(CaptionsTest, NoCaptionIsWiderThanItsControl) {
  // At the size the window opens with on a new installation, which must also
  // be the size it keeps through page and language switches.
  TMainForm& f = StartShown();
  f.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  QApplication::processEvents();
  const QSize size = f.size();
  std::vector<std::string> clipped;
  for (int i : {0, 1, 2}) {
    Switch(i);
    for (int page :
         {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::PowerOut, Page::Servo, Page::Test}) {
      f.ShowPage(page);
      // A text set by the timer lays its row out again once the posted
      // layout request is delivered.
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      for (QWidget* w : f.findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        int need = 0;
        if (auto* l = qobject_cast<QLabel*>(w)) {
          if (l->wordWrap() || l->text().isEmpty() || l->pixmap().isNull() == false) continue;
          need = l->minimumSizeHint().width();
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
                   qobject_cast<QPushButton*>(w)) {
          need = w->minimumSizeHint().width();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
          if (g->title().isEmpty()) continue;
          need = g->fontMetrics().horizontalAdvance(QString(g->title()).remove('&')) + 8;
        } else {
          continue;
        }
        if (w->minimumSizeHint().height() > w->height() && !qobject_cast<QGroupBox*>(w))
          clipped.push_back(std::to_string(kLanguages[i]) + " " + w->objectName().toStdString() + " '" +
                            CaptionOf(w).toStdString() + "' needs height " +
                            std::to_string(w->minimumSizeHint().height()) + " has " +
                            std::to_string(w->height()));
        if (need > w->width())
          clipped.push_back(std::to_string(kLanguages[i]) + " " + w->objectName().toStdString() + " '" +
                            CaptionOf(w).toStdString() + "' needs " + std::to_string(need) + " has " +
                            std::to_string(w->width()));
      }
      EXPECT_EQ(f.size(), size) << "language " << kLanguages[i] << " page " << page;
    }
  }
  EXPECT_EQ(clipped, std::vector<std::string>{});
}

}  // namespace ign::test
