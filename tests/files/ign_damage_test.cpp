// Settings files that end before they should: the reader reads what is
// there and names where the file ends and what it lacks.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/normalise.h"
#include "tests/files/files_support.h"

namespace ign {
namespace {

using namespace Adrb;

Image SavedImage() {
  Image img = StartupImage();
  img[LIMITER] = 123;
  NormaliseImage(img);
  return img;
}

// The file as the writer writes it, from an image with a limiter of 12,300 rpm.
const std::string& WholeFile() {
  static const std::string text = WriteSettingsFile(SavedImage(), {});
  return text;
}

// Where a keyword line starts in the whole file (after its line end).
size_t KeywordAt(const std::string& keyword) {
  const size_t at = WholeFile().find("\r\n" + keyword + " ");
  EXPECT_NE(at, std::string::npos) << keyword;
  return at + 2;
}

int LineOf(const std::string& text, size_t at) {
  return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n'));
}

std::vector<std::string> SectionsFrom(const std::string& first) {
  const auto all = IgnWrittenSections();
  auto it = std::find(all.begin(), all.end(), first);
  EXPECT_NE(it, all.end()) << first;
  return std::vector<std::string>(it, all.end());
}

class IgnDamageTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseEnglishMessages(); }

  IgnReadResult Read(const std::string& text) {
    img = StartupImage();
    IgnReadOptions o;
    o.showMessages = true;
    return ReadSettingsText(text, img, defaults, o, &host);
  }

  Image img;
  CDefaults defaults;
  test::RecordingHost host;
};

TEST_F(IgnDamageTest, CutFilesNameTheLineTheKeywordAndTheMissingSections) {
  const std::string& whole = WholeFile();
  const size_t advance = KeywordAt("ADVANCE");
  const size_t turn = KeywordAt("FOUR_STROKE_2ND_TURN");
  // Right after the second of the four values of FOUR_STROKE_2ND_TURN ("%5i " each).
  const size_t turnCut = whole.find_first_not_of(' ', turn + 20) + 6 + 1;
  struct Case {
    const char* what;
    size_t length;           // bytes kept
    std::string cutKeyword;  // empty: every keyword read whole
    int valuesRead, valuesExpected;
    std::string firstMissing;  // the first section missing; all later ones are missing too
  };
  const Case cases[] = {
      {"inside the advance map", advance + 300, "ADVANCE", -1, 150, "ADV2_MAP"},
      {"at the line end before a section", KeywordAt("START_LIM"), "", 0, 0, "START_LIM"},
      {"at the line end after a map", KeywordAt("SERVO_ENABLE") - 2, "", 0, 0, "SERVO_ENABLE"},
      {"in the middle of a keyword line", turnCut, "FOUR_STROKE_2ND_TURN", 2, 4, "BASE_ADV"},
      {"in the middle of a keyword", KeywordAt("ADV2_MAP") + 5, "", 0, 0, "ADV2_MAP"},
      {"inside the versions block", whole.find("\r\nHW/FW") + 4, "VERSIONS", 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = whole.substr(0, c.length);
    const IgnReadResult r = Read(text);
    ASSERT_TRUE(r.Accepted());
    ASSERT_TRUE(r.Damaged());
    const IgnDamage& d = *r.damage;
    const size_t last = text.find_last_not_of(" \r\n");
    EXPECT_EQ(d.endLine, LineOf(text, last));
    EXPECT_EQ(d.cutKeyword, c.cutKeyword);
    if (!c.cutKeyword.empty()) {
      EXPECT_EQ(d.cutKeywordLine, LineOf(text, text.rfind("\n" + c.cutKeyword) + 1));
    }
    if (c.valuesRead >= 0) {
      EXPECT_EQ(d.valuesRead, c.valuesRead);
    }
    EXPECT_EQ(d.valuesExpected, c.valuesExpected);
    if (c.valuesExpected > 0) {
      EXPECT_LT(d.valuesRead, d.valuesExpected);
    }
    EXPECT_EQ(d.missing, c.firstMissing.empty() ? std::vector<std::string>{} : SectionsFrom(c.firstMissing));
    // What the file holds is read all the same, without a message of its own.
    EXPECT_EQ(img[LIMITER], c.firstMissing == "BASE_ADV" ? StartupImage()[LIMITER] : 123);
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST_F(IgnDamageTest, WholeFilesAndOlderVersionsAreNotDamaged) {
  Image inverted = SavedImage();
  inverted[INPUT_INVERT] = 3;
  IgnVersions withCalibration;
  withCalibration.calibration = std::array<int, 3>{11, 22, 33};
  std::string lf = WholeFile();
  lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
  const std::string older =
      "KARDOMEX_KEY 97\r\nBIKE 3 3 9 2\r\n 6 0 0 7 0 0 8 0 0 9 0 0\r\n 1 0 0 1 0 0 1 0 0 1 0 0\r\n 0 6 6 6 "
      "6\r\n"
      "LIMITER 90\r\n";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"whole", WholeFile()},
      {"with the input keywords", WriteSettingsFile(inverted, {})},
      {"with calibration lines, no line end at the end", WriteSettingsFile(SavedImage(), withCalibration)},
      {"line feeds only", lf},
      {"an older version without the later sections", older},
      {"an older version without a line end at the end", older.substr(0, older.size() - 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const IgnReadResult r = Read(c.text);
    ASSERT_TRUE(r.Accepted());
    EXPECT_FALSE(r.Damaged()) << (r.damage ? IgnDamageMessage(*r.damage, "x.ign") : "");
  }
}

TEST_F(IgnDamageTest, OlderVersionCutInsideAKeywordLineIsDamaged) {
  const IgnReadResult r = Read("KARDOMEX_KEY 97\r\nLIMITER 90\r\nCLUTCH 50 ");
  ASSERT_TRUE(r.Damaged());
  EXPECT_EQ(r.damage->cutKeyword, "CLUTCH");
  EXPECT_EQ(r.damage->cutKeywordLine, 3);
  EXPECT_EQ(r.damage->endLine, 3);
  EXPECT_EQ(r.damage->valuesRead, 1);
  EXPECT_EQ(r.damage->valuesExpected, 2);
  EXPECT_TRUE(r.damage->missing.empty());  // no fixed set of sections for older versions
  EXPECT_EQ(img[CLUTCH_TIME], 10);
}

TEST_F(IgnDamageTest, FilesThatAreNotReadReportNoDamage) {
  for (const char* text : {"KARDOMEX_KEY 120\nLIMITER 200\n", "KARDOMEX_KEY   ", "LIMITER 100\n"}) {
    const IgnReadResult r = Read(text);
    EXPECT_FALSE(r.Accepted()) << text;
    EXPECT_FALSE(r.Damaged()) << text;
  }
}

TEST_F(IgnDamageTest, MessageNamesLineKeywordAndMissingSections) {
  IgnDamage d;
  d.endLine = 38;
  d.cutKeyword = "ADVANCE";
  d.cutKeywordLine = 31;
  d.valuesRead = 87;
  d.valuesExpected = 150;
  d.missing = SectionsFrom("ADV2_MAP");
  const std::string text = IgnDamageMessage(d, "bike.ign");
  EXPECT_NE(text.find("\"bike.ign\" is incomplete"), std::string::npos) << text;
  EXPECT_NE(text.find("It ends in line 38, inside \"ADVANCE\" (line 31): 87 of 150 values."),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Missing: ADV2_MAP, ADV2_IAP,"), std::string::npos) << text;
  EXPECT_NE(text.find(" and " + std::to_string(d.missing.size() - 12) + " more."), std::string::npos) << text;
  EXPECT_EQ(text.find("VERSIONS"), std::string::npos) << text;  // beyond the twelve named

  SetLanguage(LNG_DEUTSCH);
  IgnDamage shortOne;
  shortOne.endLine = 20;
  shortOne.missing = {"VERSIONS"};
  const std::string german = IgnDamageMessage(shortOne, "a.ign");
  SetLanguage(LNG_ENGLISH);
  EXPECT_NE(german.find("Sie endet in Zeile 20."), std::string::npos) << german;
  EXPECT_NE(german.find("Es fehlen: VERSIONS."), std::string::npos) << german;
}

// The list of sections is the writer's: every keyword line of a written file
// is on it, in the order written, except those written only for some images.
TEST(IgnWrittenSections, AreTheKeywordLinesTheWriterWrites) {
  Image img = SavedImage();
  img[INPUT_INVERT] = 3;
  IgnVersions v;
  v.calibration = std::array<int, 3>{1, 2, 3};
  const std::string text = WriteSettingsFile(img, v);
  std::vector<std::string> lines;
  std::vector<std::string> conditional;
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    const size_t end = text.find_first_of(" \t\r", at + 1);
    const std::string word = text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    if (word.empty() || word == "HEX" || word == "HW/FW" || word == "EXE") continue;
    if (word == "INPUT1" || word == "INPUT2" || word.rfind("Mon_Calib_", 0) == 0)
      conditional.push_back(word);
    else
      lines.push_back(word);
  }
  const auto sections = IgnWrittenSections();
  EXPECT_EQ(lines, std::vector<std::string>(sections.begin(), sections.end()));
  EXPECT_EQ(conditional, (std::vector<std::string>{"INPUT1", "INPUT2", "Mon_Calib_CoefEE",
                                                   "Mon_Calib_CoefFLASH", "Mon_Calib_CoefNEW"}));
}

}  // namespace
}  // namespace ign
