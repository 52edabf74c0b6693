// The description reader and the offer decision over one table of documents.
#include <gtest/gtest.h>

#include <string>

#include "core/text/language.h"
#include "core/update/update_doc.h"
#include "core/update/update_offer.h"

namespace ign {
namespace {

constexpr const char* kDate = "2023_10_19";
const std::string kOpen = "<product class=\"QUNTAR6\" key=\"108\">";
const std::string kClose = "</product>";

std::string Rec(const std::string& attrs, const std::string& body) {
  return "<recommendation " + attrs + ">" + body + "</recommendation>\n";
}
std::string Doc(const std::string& recs) {
  return "<?xml version=\"1.0\"?>\n<updates>" + kOpen + recs + kClose + "</updates>";
}
std::string En(const std::string& t) { return "<english>" + t + "</english>"; }

struct Case {
  const char* name;
  std::string doc;
  int language = LNG_ENGLISH;
  int dismissed = 0;
  int number = 0;  // 0: no offer
  std::string text = "";
  std::string web = "";
  std::string download = "";
  bool rtf = false;
};

class DocumentTable : public ::testing::TestWithParam<Case> {};

TEST_P(DocumentTable, OffersTheRightRecommendation) {
  const Case& c = GetParam();
  std::optional<UpdateEntry> entry = ChooseUpdate(c.doc, kDate);
  std::optional<UpdateOffer> offer;
  if (entry) offer = DecideOffer(*entry, c.language, c.dismissed);
  if (c.number == 0) {
    EXPECT_FALSE(offer.has_value()) << "offered number " << offer->number;
    return;
  }
  ASSERT_TRUE(offer.has_value());
  EXPECT_EQ(offer->number, c.number);
  EXPECT_EQ(offer->text, c.text);
  EXPECT_EQ(offer->web, c.web);
  EXPECT_EQ(offer->download, c.download);
  EXPECT_EQ(offer->rtf, c.rtf);
}

const std::string kLong(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Update, DocumentTable,
    ::testing::Values(
        Case{"FiveAndSevenAmongOthers",
             Doc(Rec("update_number=\"9\" to=\"2020_01_01\"", En("old")) +
                 Rec("update_number=\"5\"", En("five")) +
                 Rec("update_number=\"12\" from=\"2024_01_01\"", En("future")) +
                 Rec("update_number=\"7\" from=\"2023_01_01\" to=\"2024_01_01\"", En("seven")) +
                 Rec("update_number=\"8\" to=\"2023_10_19\"", En("ends today"))),
             LNG_ENGLISH, 0, 7, "seven"},
        Case{"NumberZeroNeverShown", Doc(Rec("update_number=\"0\"", En("zero")))},
        Case{"MissingNumberNeverShown", Doc(Rec("from=\"2000_01_01\"", En("none")))},
        Case{"UnreadableNumberIsZero", Doc(Rec("update_number=\"x7\"", En("bad")))},
        Case{"NoFromNoToAppliesAlways", Doc(Rec("update_number=\"3\"", En("always"))), LNG_ENGLISH, 0, 3,
             "always"},
        Case{"FromEqualToDateApplies", Doc(Rec("update_number=\"4\" from=\"2023_10_19\"", En("from"))),
             LNG_ENGLISH, 0, 4, "from"},
        Case{"ToEqualToDateDoesNot", Doc(Rec("update_number=\"4\" to=\"2023_10_19\"", En("to")))},
        Case{"EqualNumbersFirstStays",
             Doc(Rec("update_number=\"6\"", En("first")) + Rec("update_number=\"6\"", En("second"))),
             LNG_ENGLISH, 0, 6, "first"},
        Case{"DismissedEqualShowsNothing", Doc(Rec("update_number=\"7\"", En("seven"))), LNG_ENGLISH, 7},
        Case{"DismissedBelowShows", Doc(Rec("update_number=\"7\"", En("seven"))), LNG_ENGLISH, 6, 7, "seven"},
        Case{"CzechWithoutCzechShowsEnglish", Doc(Rec("update_number=\"2\"", En("english"))), LNG_CESKY, 0, 2,
             "english"},
        Case{"CzechInWindows1250",
             Doc(Rec("update_number=\"2\"", En("english") + "<czech>Nov\xe1 verze \xe8\xe1st \x9e\xe1"
                                                            "dn\xe1</czech>")),
             LNG_CESKY, 0, 2, "Nová verze část žádná"},
        Case{"GermanShowsEnglish", Doc(Rec("update_number=\"2\"", En("english") + "<czech>cz</czech>")),
             LNG_DEUTSCH, 0, 2, "english"},
        Case{"NoTextGivesPatchName", Doc(Rec("update_number=\"7\"", "")), LNG_ENGLISH, 0, 7,
             "Kardomex patch QUNTAR6 Key=108 Ver=7"},
        Case{"RtfIsMarked", Doc(Rec("update_number=\"1\"", En("{\\rtf1 hi}"))), LNG_ENGLISH, 0, 1,
             "{\\rtf1 hi}", "", "", true},
        Case{"AddressesAndButtons",
             Doc(Rec("update_number=\"1\"",
                     En("t") + "<web>https://example.test/en</web><web_cz>https://example.test/cz</web_cz>"
                               "<download> https://example.test/setup.exe\n</download>")),
             LNG_ENGLISH, 0, 1, "t", "https://example.test/en", "https://example.test/setup.exe"},
        Case{"CzechWebAddress",
             Doc(Rec("update_number=\"1\"",
                     En("t") + "<web>http://example.test/en</web><web_cz>http://example.test/cz</web_cz>")),
             LNG_CESKY, 0, 1, "t", "http://example.test/cz"},
        Case{"CzechFallsBackToWeb",
             Doc(Rec("update_number=\"1\"", En("t") + "<web>http://example.test/en</web>")), LNG_CESKY, 0, 1,
             "t", "http://example.test/en"},
        Case{"NonWebAddressesHidden",
             Doc(Rec("update_number=\"1\"",
                     En("t") + "<web>javascript:alert(1)</web><download>file:///bin/sh</download>")),
             LNG_ENGLISH, 0, 1, "t"},
        Case{"AddressCutTo249",
             Doc(Rec("update_number=\"1\"", En("t") + "<web>http://h/" + kLong + "</web>")), LNG_ENGLISH, 0,
             1, "t", "http://h/" + kLong.substr(0, 249 - 9)},
        Case{"DatesCutTo11",
             Doc(Rec("update_number=\"1\" from=\"2023_10_19" + kLong + "\"", En("t")) +
                 Rec("update_number=\"2\" to=\"2023_10_199" + kLong + "\"", En("two"))),
             LNG_ENGLISH, 0, 2, "two"},
        Case{"OtherProductIgnored",
             "<product class=\"QUNTAR6\" key=\"107\">" + Rec("update_number=\"1\"", En("t")) + kClose},
        Case{"NoProductEnd", kOpen + Rec("update_number=\"1\"", En("t"))},
        Case{"NulBeforeSection", std::string("junk") + '\0' + Doc(Rec("update_number=\"1\"", En("t")))},
        Case{"NulAfterSection", Doc(Rec("update_number=\"1\"", En("t"))) + '\0' + "garbage", LNG_ENGLISH, 0,
             1, "t"},
        Case{"UnfinishedLastEndsWalk",
             Doc(Rec("update_number=\"2\"", En("two")) + "<recommendation update_number=\"9\"" + En("nine")),
             LNG_ENGLISH, 0, 2, "two"},
        Case{"MissingCloseEndsWalk",
             Doc(Rec("update_number=\"2\"", En("two")) + "<recommendation update_number=\"9\">" + En("nine")),
             LNG_ENGLISH, 0, 2, "two"},
        Case{"UnclosedElementIsMissing", Doc(Rec("update_number=\"2\"", "<english>open text")), LNG_ENGLISH,
             0, 2, "Kardomex patch QUNTAR6 Key=108 Ver=2"},
        Case{"AttributesOnlyInsideTag", Doc(Rec("", "update_number=\"5\" " + En("t"))), LNG_ENGLISH, 0, 0},
        Case{"HugeNumberClamped", Doc(Rec("update_number=\"99999999999999\"", En("t"))), LNG_ENGLISH,
             2147483647, 0}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST(UpdateDocument, HundredMegabytesOfJunkAroundTheSection) {
  std::string doc(100'000'000, '<');
  doc.replace(50'000'000, 0, Doc(Rec("update_number=\"3\"", En("found"))));
  std::optional<UpdateEntry> e = ChooseUpdate(doc, kDate);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->number, 3);
  EXPECT_EQ(e->english.value_or(""), "found");
}

TEST(UpdateDocument, ManyRecommendationsWalkedOnce) {
  std::string recs;
  for (int i = 0; i < 200000; ++i) recs += Rec("update_number=\"" + std::to_string(i % 1000) + "\"", "");
  std::optional<UpdateEntry> e = ChooseUpdate(Doc(recs), kDate);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->number, 999);
}

TEST(UpdateTexts, DownloadNoteFollowsTheAddress) {
  EXPECT_STREQ(DownloadNoteText("https://h/ign_setup_109.exe"),
               "###After downloading run new installer.####Po stažení spusťte nový instalátor.");
  EXPECT_NE(std::string(DownloadNoteText("https://h/ignset.zip")).find("store new version"),
            std::string::npos);
}

TEST(UpdateTexts, HelpLinksByLanguage) {
  EXPECT_EQ(HelpLinkAddress("example.test", HelpLink::Download, LNG_ENGLISH),
            "https://example.test/en/stahnout/upload");
  EXPECT_EQ(HelpLinkAddress("http://example.test/", HelpLink::Manuals, LNG_DEUTSCH),
            "https://example.test/en/stahnout/manuals");
  EXPECT_EQ(HelpLinkAddress("https://example.test", HelpLink::Manuals, LNG_CESKY),
            "https://example.test/cz/stahnout/manuals");
  EXPECT_EQ(HelpLinkAddress("", HelpLink::Manuals, LNG_CESKY), "");
}

TEST(UpdateTexts, WebAddresses) {
  for (const char* ok : {"http://h", "HTTPS://h/x?y", "https://127.0.0.1:8443/a"})
    EXPECT_TRUE(IsWebAddress(ok)) << ok;
  for (const char* bad :
       {"", "http://", "https:///x", "ftp://h", "file:///x", "http://h/a b", "http://h/\n", "h/x"})
    EXPECT_FALSE(IsWebAddress(bad)) << bad;
}

TEST(UpdateOffer, LongTextIsCutAtACharacterBoundary) {
  const std::string cz(300000, '\xe8');  // "č" in Windows-1250, two bytes in UTF-8
  std::optional<UpdateEntry> e = ChooseUpdate(Doc(Rec("update_number=\"1\"", En("x" + cz))), kDate);
  ASSERT_TRUE(e.has_value());
  std::optional<UpdateOffer> o = DecideOffer(*e, LNG_ENGLISH, 0);
  ASSERT_TRUE(o.has_value());
  EXPECT_EQ(o->text.size(), kMaxOfferTextBytes - 1);
  EXPECT_EQ(o->text.substr(o->text.size() - 2), "č");
}

}  // namespace
}  // namespace ign
