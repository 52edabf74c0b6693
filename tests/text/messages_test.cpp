#include "core/text/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/language.h"
#include "core/text/message_table.h"
#include "core/text/utf8.h"

namespace ign {
namespace {

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearMessages();
    SetLanguage(LNG_ENGLISH);
  }
  void TearDown() override {
    ClearMessages();
    SetLanguage(LNG_ENGLISH);
  }
  void FillIn(int language) {
    SetLanguage(language);
    FillMessages();
  }
};

TEST_F(MessagesTest, EmptyBeforeTheFirstFill) {
  for (int n = kFirstMsg; n <= kLastMsg; ++n) EXPECT_STREQ(Msg(n), "") << n;
}

TEST_F(MessagesTest, NumbersOutsideTheTableReadEmpty) {
  FillIn(LNG_ENGLISH);
  for (int n : {-1, 0, 10, 126, 100000}) EXPECT_STREQ(Msg(n), "") << n;
  EXPECT_STREQ(Msg(16), "");  // not listed
  EXPECT_STREQ(Msg(15), "");  // listed as empty
}

struct Entry {
  int n;
  const char* english;
  const char* german;
  const char* czech;
};

class MessageEntries : public MessagesTest, public ::testing::WithParamInterface<Entry> {};

TEST_P(MessageEntries, InEveryLanguage) {
  const Entry& e = GetParam();
  FillIn(LNG_ENGLISH);
  EXPECT_STREQ(Msg(e.n), e.english);
  FillIn(LNG_DEUTSCH);
  EXPECT_STREQ(Msg(e.n), e.german);
  FillIn(LNG_CESKY);
  EXPECT_STREQ(Msg(e.n), e.czech);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageEntries,
    ::testing::Values(Entry{17, "Unmatched version of PC and Ignition programs!",
                            "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
                            "Neshodné verze proramu v PC a zapalování!"},
                      Entry{25, "SOFT", "MILDE", "MĚKKÝ"},
                      // No German text of their own: the English one stands in.
                      Entry{37, "CROSS TRANSFORMATION OF IGN FILE !", "CROSS TRANSFORMATION OF IGN FILE !",
                            "MEZIDRUHOVA TRANSFORMACE IGN SOUBORU !"},
                      Entry{64, "Warning", "Warning", "Varování"},
                      Entry{65, "Attention", "Attention", "Upozornění"},
                      Entry{89, "COM &offline", "COM &offline", "COM &odpojen"},
                      Entry{90, "COM &auto", "COM &auto", "COM &automaticky"},
                      Entry{73, "[h:mm]", "[s:mm]", "[h:mm]"},
                      Entry{95, "Tacho Lambda", "Tacho Lambda", "Tacho Lambda"}),
    [](const ::testing::TestParamInfo<Entry>& info) { return "Entry" + std::to_string(info.param.n); });

TEST_F(MessagesTest, GermanShowsTheEnglishInstallationNotice) {
  FillIn(LNG_ENGLISH);
  const std::string english = Msg(62);
  FillIn(LNG_DEUTSCH);
  EXPECT_EQ(Msg(62), english);
  EXPECT_EQ(english.rfind("This is a new installation", 0), 0u);
  FillIn(LNG_CESKY);
  EXPECT_EQ(std::string(Msg(62)).rfind("Toto je nová instalace", 0), 0u);
}

TEST_F(MessagesTest, LongEntryIsJoinedFromItsLines) {
  FillIn(LNG_ENGLISH);
  EXPECT_STREQ(Msg(35),
               "Older or another version of *.ign file!\n\n"
               "Some parameters won't be changed or will be set to default value.\n"
               "They are parameters which are not in older version or have another structure.");
}

TEST_F(MessagesTest, PickUpErrorIsPaddedToFortyCharacters) {
  const char* starts[] = {"Pick up system error ", "Gebersystemehler ", "Chyba v snímacím systému "};
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    FillIn(language);
    const std::string text = Msg(38);
    EXPECT_EQ(Utf8Length(text), 40u) << language;
    EXPECT_EQ(text.rfind(starts[language], 0), 0u) << language;
    EXPECT_EQ(text.find_last_not_of(' ') + 1, std::string(starts[language]).size() - 1) << language;
  }
}

TEST_F(MessagesTest, EveryListedEntryIsFilledInEveryLanguage) {
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    FillIn(language);
    for (const MessageTriple& t : MessageTriples()) {
      if (t.n == 15) continue;
      EXPECT_STRNE(Msg(t.n), "") << "entry " << t.n << " language " << language;
    }
  }
}

TEST_F(MessagesTest, TableKeepsTheLanguageOfItsLastFill) {
  FillIn(LNG_CESKY);
  SetLanguage(LNG_DEUTSCH);
  EXPECT_STREQ(Msg(23), "ANO");
  FillMessages();
  EXPECT_STREQ(Msg(23), "JA");
}

TEST_F(MessagesTest, ComposedEntriesAreKept) {
  SetMsg(96, "Multifunction input 1 (pin 8)");
  SetMsg(126, "ignored");
  SetMsg(5, "ignored");
  EXPECT_STREQ(Msg(96), "Multifunction input 1 (pin 8)");
  FillIn(LNG_CESKY);
  EXPECT_STREQ(Msg(96), "Multifunction input 1 (pin 8)");
  EXPECT_STREQ(Msg(126), "");
}

}  // namespace
}  // namespace ign
