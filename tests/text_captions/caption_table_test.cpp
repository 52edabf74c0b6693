#include "core/text/caption_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/text/codepage.h"
#include "core/text/language.h"

namespace ign {
namespace {

struct Table {
  const char* what;
  std::span<const CaptionRow> rows;
};

std::vector<Table> AllTables() {
  std::vector<Table> t = {{"menu captions", MenuCaptionRows()}, {"hints", HintRows()}};
  for (CaptionPage page : kAllCaptionPages) t.push_back({"page texts", PageTextRows(page)});
  return t;
}

class CaptionTableTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLanguage(LNG_ENGLISH); }
};

// Every row names its control once per table and has three texts of its own:
// the relabelling has no fallback for a missing one.
TEST_F(CaptionTableTest, EveryRowHasANameAndThreeTexts) {
  for (const Table& t : AllTables()) {
    ASSERT_FALSE(t.rows.empty()) << t.what;
    std::set<std::string> names;
    for (const CaptionRow& row : t.rows) {
      ASSERT_NE(row.name, nullptr) << t.what;
      ASSERT_NE(row.name[0], '\0') << t.what;
      EXPECT_TRUE(names.insert(row.name).second) << t.what << ": " << row.name << " twice";
      for (const char* text : {row.english, row.german, row.czech}) {
        ASSERT_NE(text, nullptr) << row.name;
        EXPECT_GT(std::strlen(text), 0u) << row.name;
        // Well-formed and within the program's 8-bit code page.
        EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250(text)), text) << row.name;
      }
      ASSERT_NE(row.suffix, nullptr) << row.name;
    }
  }
}

// All page tables together name each control once, so a control is written
// by one row only.
TEST_F(CaptionTableTest, PageControlsAreNamedOnceAcrossThePages) {
  std::set<std::string> names;
  for (CaptionPage page : kAllCaptionPages) {
    for (const CaptionRow& row : PageTextRows(page)) EXPECT_TRUE(names.insert(row.name).second) << row.name;
  }
}

TEST_F(CaptionTableTest, MenuCaptionsInEachLanguageKeepTheirAccelerators) {
  struct Case {
    const char* name;
    const char* english;
    const char* german;
    const char* czech;
  } cases[] = {
      {"MenuFile", "&File", "&Datei", "&Soubor"},
      {"MenuDevice", "&Ignition", "&Zündung", "&Zapalování"},
      {"MenuRead", "&Read", "&Lesen", "Čí&st"},
      {"ButtonRead", "&Read", "&Lesen", "Čí&st"},
      {"MenuOpenPage", "Open for actual page", "Öffnen für aktuelle Seite", "&Otevřít pro aktuální záložku"},
      {"MenuCzech", "&Czech - Česky", "&Tschechisch - Česky", "Če&sky"},
      {"MenuHelp", "&Help", "&Hilfe", "Nápověda"},
      {"MenuAbout", "&About...", "&Über Programm...", "&O programu..."},
  };
  for (const Case& c : cases) {
    const CaptionRow* row = FindCaptionRow(MenuCaptionRows(), c.name);
    ASSERT_NE(row, nullptr) << c.name;
    EXPECT_STREQ(CaptionText(*row, LNG_ENGLISH), c.english) << c.name;
    EXPECT_STREQ(CaptionText(*row, LNG_DEUTSCH), c.german) << c.name;
    EXPECT_STREQ(CaptionText(*row, LNG_CESKY), c.czech) << c.name;
  }
  // Items that keep their layout caption have no row.
  for (const char* kept : {"MenuUpdate", "MenuReset", "MenuCSVout", "MenuQuicksave", "MenuCom1"})
    EXPECT_EQ(FindCaptionRow(MenuCaptionRows(), kept), nullptr) << kept;
}

TEST_F(CaptionTableTest, HintsReadWithTheirMisspellingsCorrected) {
  const CaptionRow* language = FindCaptionRow(HintRows(), "MenuLanguage");
  ASSERT_NE(language, nullptr);
  EXPECT_STREQ(CaptionText(*language, LNG_ENGLISH), "Set English or German or Czech");
  EXPECT_STREQ(CaptionText(*language, LNG_DEUTSCH), "Wählen Sie Englisch, Deutsch oder Tschechisch");
  EXPECT_STREQ(CaptionText(*language, LNG_CESKY), "Nastavení jazyka na angličtinu, němčinu nebo češtinu");

  // The button and the menu item of New have hints of their own.
  EXPECT_STREQ(CaptionText(*FindCaptionRow(HintRows(), "SpeedButtonNew"), LNG_ENGLISH),
               "Set default parameters");
  EXPECT_STREQ(CaptionText(*FindCaptionRow(HintRows(), "MenuNew"), LNG_ENGLISH), "Set default parameters");
  EXPECT_STREQ(CaptionText(*FindCaptionRow(HintRows(), "CheckBoxProgHned"), LNG_DEUTSCH),
               "Programmieren sofort nach der Änderung");

  const CaptionRow* verify = FindCaptionRow(HintRows(), "ButtonVerify");
  ASSERT_NE(verify, nullptr);
  EXPECT_STREQ(CaptionText(*verify, LNG_ENGLISH), "Compare set parameters with parameters of ignition");
  EXPECT_STREQ(CaptionText(*verify, LNG_CESKY),
               "Ověření, zda nastavené parametry souhlasí s parametry naprogramovanými do zapalování");

  // The language items read the same in every language.
  const CaptionRow* german = FindCaptionRow(HintRows(), "MenuGerman");
  ASSERT_NE(german, nullptr);
  for (int lng : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY})
    EXPECT_STREQ(CaptionText(*german, lng), "Deutsches Menü");
}

TEST_F(CaptionTableTest, TheCurrentLanguageIsUsedAndUnknownLanguagesReadEnglish) {
  const CaptionRow* prog = FindCaptionRow(PageTextRows(CaptionPage::MainWindow), "CheckBoxProgHned");
  ASSERT_NE(prog, nullptr);
  SetLanguage(LNG_DEUTSCH);
  EXPECT_STREQ(CaptionText(*prog), "Programmierung nach Änderung");
  SetLanguage(LNG_CESKY);
  EXPECT_STREQ(CaptionText(*prog), "Programování po změně");
  EXPECT_STREQ(CaptionText(*prog, 7), "Programming after change");
  EXPECT_STREQ(CaptionText(*prog, -5), "Programming after change");

  // A row without a German text of its own shows the English one there.
  const CaptionRow partial{"X", "English", nullptr, "Česky"};
  EXPECT_STREQ(CaptionText(partial, LNG_DEUTSCH), "English");
}

TEST_F(CaptionTableTest, ComposedCaptionsFollowTheWordWithTheirNumber) {
  const CaptionRow* input2 = FindCaptionRow(PageTextRows(CaptionPage::Miscellaneous), "RadioGroupInput2");
  ASSERT_NE(input2, nullptr);
  EXPECT_EQ(CaptionWithSuffix(*input2, LNG_ENGLISH), "Multifunction input 2 (pin 19)");
  EXPECT_EQ(CaptionWithSuffix(*input2, LNG_CESKY), "Multifunkční vstup 2 (pin 19)");

  const CaptionRow* channel3 = FindCaptionRow(PageTextRows(CaptionPage::Bike), "GroupBoxPalec3");
  ASSERT_NE(channel3, nullptr);
  EXPECT_EQ(CaptionWithSuffix(*channel3, LNG_DEUTSCH), "Kanal 3");

  const CaptionRow* test4 = FindCaptionRow(PageTextRows(CaptionPage::Test), "ButtonTestIgn4");
  ASSERT_NE(test4, nullptr);
  EXPECT_EQ(CaptionWithSuffix(*test4, LNG_CESKY), "&Zapalování 4");

  // The tab sheets that keep their layout caption have no row.
  for (CaptionPage page : kAllCaptionPages) {
    for (const char* kept : {"TabSheetSensors", "TabSheetPOut", "TabSheetServo"})
      EXPECT_EQ(FindCaptionRow(PageTextRows(page), kept), nullptr) << kept;
  }
}

}  // namespace
}  // namespace ign
