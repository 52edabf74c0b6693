// Every control that takes input has a name a screen reader reads, in the
// current language, and the tab order follows the reading order.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QSpinBox>

#include "pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;

std::vector<QWidget*> InputControls(QWidget* page) {
  std::vector<QWidget*> out;
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
        qobject_cast<QAbstractButton*>(w))
      out.push_back(w);
  }
  return out;
}

QString AccessibleName(QWidget* w) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(QAccessible::Name) : QString();
}

TEST_F(PagesFixture, EveryInputControlHasAnAccessibleNameInEveryLanguage) {
  TMainForm& f = Start();
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    f.MenuLanguageClick(language);
    std::vector<std::string> unnamed;
    for (int p : {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::Servo, Page::Test}) {
      f.ShowPage(p);
      for (QWidget* w : InputControls(Pages().Sheet(p))) {
        // Padding items of a list are never shown and take no input.
        if (qobject_cast<QAbstractButton*>(w) && static_cast<QAbstractButton*>(w)->text().isEmpty() &&
            w->accessibleName().isEmpty() && w->isHidden())
          continue;
        if (AccessibleName(w).trimmed().isEmpty()) unnamed.push_back(w->objectName().toStdString());
      }
    }
    EXPECT_TRUE(unnamed.empty()) << "language " << language << ": " << ::testing::PrintToString(unnamed);
  }
  // The names follow the language: the limiter reads its German label.
  f.MenuLanguageClick(LNG_DEUTSCH);
  EXPECT_EQ(AccessibleName(Find<QWidget>("EditLimiter")), "Begrenzer [rpm]");
  EXPECT_EQ(AccessibleName(Find<QWidget>("CheckBoxPalec2EndH2")), "Kanal 2, Start Vorzündung, 2.Kante");
}

TEST_F(PagesFixture, TabOrderFollowsTheReadingOrderOfThePage) {
  TMainForm& f = StartOn(Page::Misc);
  f.show();
  std::vector<std::string> order;
  QWidget* w = Find<QWidget>("EditLimiter");
  for (int i = 0; i < 6 && w; ++i) {
    order.push_back(w->objectName().toStdString());
    do {
      w = w->nextInFocusChain();
    } while (w && !qobject_cast<TUpDown*>(w));
  }
  const std::vector<std::string> expected = {"EditLimiter",    "EditStartLimiter", "EditStartLimiterDelay",
                                             "EditClutchTime", "EditClutchPause",  "EditRetard"};
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace ign
