#include "core/text/language.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(Language, SettingsCoding) {
  struct Row {
    int language;
    int stored;
  };
  for (Row r : {Row{LNG_ENGLISH, 0}, Row{LNG_DEUTSCH, 1}, Row{LNG_CESKY, 3}}) {
    EXPECT_EQ(LanguageToSettings(r.language), r.stored);
    EXPECT_EQ(LanguageFromSettings(r.stored), r.language);
  }
  // Other stored values name no language: the current one stays.
  for (int stored : {2, 4, -1, 255}) EXPECT_EQ(LanguageFromSettings(stored), -1) << stored;
}

TEST(Language, CommandLineWordsAreExact) {
  EXPECT_EQ(LanguageFromArgument("ENGLISH"), LNG_ENGLISH);
  EXPECT_EQ(LanguageFromArgument("DEUTSCH"), LNG_DEUTSCH);
  EXPECT_EQ(LanguageFromArgument("CESKY"), LNG_CESKY);
  for (const char* word : {"english", "Cesky", "nopatchcheck", "", "CESKY "}) {
    EXPECT_EQ(LanguageFromArgument(word), -1) << word;
  }
}

TEST(Language, StartsInEnglishAndRefusesUnknownValues) {
  EXPECT_EQ(CurrentLanguage(), LNG_ENGLISH);
  SetLanguage(LNG_CESKY);
  EXPECT_EQ(CurrentLanguage(), LNG_CESKY);
  SetLanguage(3);  // the stored code of Czech is not a language index
  EXPECT_EQ(CurrentLanguage(), LNG_ENGLISH);
  SetLanguage(-1);
  EXPECT_EQ(CurrentLanguage(), LNG_ENGLISH);
}

}  // namespace
}  // namespace ign
