#include <gtest/gtest.h>

#include <string>

#include "core/text/lngstr.h"
#include "tests/text/message_box_spy.h"

namespace ign {
namespace {

TEST(PackedText, KeepsItsOwnCopy) {
  std::string source = "###Reading##Lesen##Čtení";
  CPackedText text(source.c_str());
  source.assign("###changed##changed##changed");
  EXPECT_STREQ(text.Resolve(LNG_ENGLISH), "Reading");
  EXPECT_STREQ(text.Resolve(LNG_CESKY), "Čtení");
  EXPECT_EQ(text.Packed(), "###Reading##Lesen##Čtení");
}

TEST(PackedText, FollowsTheCurrentLanguage) {
  CPackedText text("###Gear##Gang##Převodový stupeň");
  SetLanguage(LNG_DEUTSCH);
  EXPECT_STREQ(text.Resolve(), "Gang");
  SetLanguage(LNG_CESKY);
  EXPECT_STREQ(text.Resolve(), "Převodový stupeň");
  SetLanguage(LNG_ENGLISH);
}

TEST(PackedText, CopiesResolveIndependently) {
  auto* original = new CPackedText("###Speed##Geschwindigkeit##Rychlost");
  EXPECT_STREQ(original->Resolve(LNG_DEUTSCH), "Geschwindigkeit");
  CPackedText copy = *original;
  delete original;
  EXPECT_STREQ(copy.Resolve(LNG_DEUTSCH), "Geschwindigkeit");
  EXPECT_STREQ(copy.Resolve(LNG_CESKY), "Rychlost");
}

TEST(PackedText, PlainAndMalformedTextsShowAsTheyStand) {
  test::MessageBoxSpy box;
  CPackedText plain("Yamaha R1");
  EXPECT_STREQ(plain.Resolve(LNG_CESKY), "Yamaha R1");
  CPackedText bad("##broken");
  EXPECT_STREQ(bad.Resolve(), "##broken");
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0], "Chybi ### na zacatku v jazykovem retezci !\n##broken");
  CPackedText none(nullptr);
  EXPECT_STREQ(none.Resolve(), "");
}

}  // namespace
}  // namespace ign
