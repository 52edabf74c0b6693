#include "core/files/ign_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/files/ign_writer.h"
#include "core/params/normalise.h"
#include "tests/files/files_support.h"

namespace ign {
namespace {

using namespace Adrb;

class IgnReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseEnglishMessages();
    img = StartupImage();
  }

  IgnReadResult Read(const std::string& text, bool developerTest = false) {
    IgnReadOptions o;
    o.showMessages = true;
    o.developerTest = developerTest;
    return ReadSettingsText(text, img, defaults, o, &host);
  }

  Image img;
  CDefaults defaults;
  test::RecordingHost host;
};

constexpr const char* kOlderMessage = "Older or another version of *.ign file!\n\n";

// Ten rows of the given cells, each row one line.
std::string Rows(int columns, int first) {
  std::string s;
  for (int r = 0; r < kMapRows; ++r) {
    s += "\n  ";
    for (int c = 0; c < columns; ++c) s += std::to_string(first + c) + " ";
  }
  return s;
}

TEST_F(IgnReaderTest, CurrentVersionReadsSilently) {
  const IgnReadResult r = Read("KARDOMEX_KEY   108 QUNTAR6/QUNTAR6\nLIMITER 120\nRETARD 4\n");
  EXPECT_EQ(r.status, IgnReadStatus::Accepted);
  EXPECT_EQ(r.version, 108);
  EXPECT_FALSE(r.bikeSection);
  EXPECT_EQ(img[LIMITER], 120);
  EXPECT_EQ(img[RETARD], 4);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(IgnReaderTest, WithoutKeyNothingChangesAndNothingIsReported) {
  const Image before = img;
  for (const char* text : {"LIMITER 120\nRETARD 4\n", "", "KARDOMEX_KEY", "kardomex_key 108 LIMITER 120 "}) {
    EXPECT_EQ(Read(text).status, IgnReadStatus::NoKey) << text;
    EXPECT_EQ(img, before) << text;
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(IgnReaderTest, VersionsNotAcceptedChangeOnlyTwoBytes) {
  for (const char* version : {"109", "94", "0", "-108", "", "96", "104", "105", "106", "107"}) {
    img = StartupImage();
    img[SPECIAL_START_PERC] = 30;
    img[RESERVED_389] = 9;
    img[LIMITER] = 200;
    Image expected = img;
    expected[SPECIAL_START_PERC] = 0;
    expected[RESERVED_389] = 0;
    host.messages.clear();
    const IgnReadResult r = Read(std::string("KARDOMEX_KEY ") + version + "\nLIMITER 120\n");
    EXPECT_EQ(r.status, IgnReadStatus::Unmatched) << version;
    EXPECT_EQ(img, expected) << version;
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unmatched version of *.ign file!"}) << version;
  }
}

TEST_F(IgnReaderTest, Version95WidensTenRpmColumnsToFifteen) {
  img[ADV_COLUMNS] = 8;
  img[SYNC_POLARITY] = 1, img[NO_LOBE_CHECK] = 1, img[SERVO_NO] = 40;
  img[POWER_OUT_FUNCTION] = 254, img[POWER_OUT_SPULSE] = 3;
  const std::string text =
      "KARDOMEX_KEY 95\nRPM_ADV 1000 2000 3000 4000 5000 6000 7000 8000 9000 24000\nADVANCE" + Rows(10, 0) +
      "\n";
  const IgnReadResult r = Read(text);
  ASSERT_EQ(r.status, IgnReadStatus::Accepted);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind(kOlderMessage, 0), 0u);

  EXPECT_EQ(img[ADV_COLUMNS], 15);
  const uint8_t rpm[15] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 240, 250, 255, 255, 255, 255};
  for (int c = 0; c < 15; ++c) EXPECT_EQ(img[RPM_ADV + c], rpm[c]) << "column " << c;
  for (int row = 0; row < kMapRows; ++row)
    for (int c = 0; c < 15; ++c)
      EXPECT_EQ(img[ADVANCE + 15 * row + c], 100 + (c < 10 ? c : 9)) << row << "," << c;
  // No second map in the file: it copies the first.
  for (int i = 0; i < kMapCells; ++i) ASSERT_EQ(img[ADVANCE2 + i], img[ADVANCE + i]);
  for (int c = 0; c < 15; ++c) EXPECT_EQ(img[RPM_ADV2 + c], rpm[c]);
  // What older files do not carry is reset.
  EXPECT_EQ(img[SYNC_POLARITY], 0);
  EXPECT_EQ(img[NO_LOBE_CHECK], 0);
  EXPECT_EQ(img[SERVO_NO], 0);
  EXPECT_EQ(img[POWER_OUT_FUNCTION], 1);
  EXPECT_EQ(img[POWER_OUT_SPULSE], 20);
}

TEST_F(IgnReaderTest, OlderVersionsAndTheirMapWidth) {
  struct Case {
    int version;
    int columns;  // rpm columns the file carries
  } cases[] = {{93, 10}, {95, 10}, {97, 15}, {98, 15}};
  for (const Case& c : cases) {
    img = StartupImage();
    host.messages.clear();
    // 15 values in the file; an old file reads 10 of them, the 11th then goes to nobody.
    const IgnReadResult r =
        Read("KARDOMEX_KEY " + std::to_string(c.version) +
             "\nRPM_ADV 1100 1200 1300 1400 1500 1600 1700 1800 1900 2000 2100 2200 2300 2400 "
             "2500\nRETARD 3\n");
    ASSERT_EQ(r.status, IgnReadStatus::Accepted) << c.version;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind(kOlderMessage, 0), 0u);
    EXPECT_EQ(img[RPM_ADV + 9], 20);
    EXPECT_EQ(img[RPM_ADV + 14], c.columns == 10 ? 70 : 25) << c.version;
    EXPECT_EQ(img[RETARD], 3);
  }
}

TEST_F(IgnReaderTest, OlderVersionStartsFromDefaultsUnlessAUserBikeWasJustChosen) {
  img[LIMITER] = 200;
  Read("KARDOMEX_KEY 98\nRETARD 3\n");
  EXPECT_EQ(img[LIMITER], 110);

  img = StartupImage();
  img[BIKE] = 255;
  img[LIMITER] = 200;
  img[SYNC_POLARITY] = 1, img[SPECIAL_DWELL_START] = 1, img[SERVO_NO] = 40;
  img[POWER_OUT_FUNCTION] = 254;
  defaults.SetBikeChanged(true);
  Read("KARDOMEX_KEY 98\nRETARD 3\n");
  EXPECT_EQ(img[LIMITER], 200);
  // What older files do not carry is cleared all the same.
  EXPECT_EQ(img[SYNC_POLARITY], 0);
  EXPECT_EQ(img[SPECIAL_DWELL_START], 0);
  EXPECT_EQ(img[SERVO_NO], 0);
  EXPECT_EQ(img[POWER_OUT_FUNCTION], 1);
}

TEST_F(IgnReaderTest, CrossTransformationsOnlyInDeveloperMode) {
  const std::string bike2 =
      "\nBIKE 5 3 9 2\n 1 0 0  2 1 0\n 3 0 1  4 1 1\n 7 8 9\nRETARD 4\n";  // two channels
  img[PICKUP1_LOBES + 2] = 33;
  Image before = img;
  EXPECT_EQ(Read("KARDOMEX_KEY 105" + bike2).status, IgnReadStatus::Unmatched);

  img = before;
  host.messages.clear();
  const IgnReadResult r = Read("KARDOMEX_KEY 105" + bike2, true);
  ASSERT_EQ(r.status, IgnReadStatus::Accepted);
  EXPECT_TRUE(r.crossTransformation);
  EXPECT_EQ(host.messages, std::vector<std::string>{"CROSS TRANSFORMATION OF IGN FILE !"});
  EXPECT_EQ(img[BIKE], 5);
  EXPECT_EQ(img[PICKUP1_LOBES], 1);
  EXPECT_EQ(img[PICKUP2_LOBES], 2 | 0x40);
  EXPECT_EQ(img[PICKUP1_LOBES + 1], 3 | 0x80);
  EXPECT_EQ(img[PICKUP2_LOBES + 1], 4 | 0xC0);
  EXPECT_EQ(img[REV_WITHOUT_IGNITION], 7);
  EXPECT_EQ(img[COMPENSATION], 8);
  EXPECT_EQ(img[PICKUP1_LOBES + 2], 33);  // channels 3 and 4 are not in the file
  EXPECT_EQ(img[RETARD], 4);              // only one value ignored after the compensation
}

TEST_F(IgnReaderTest, FamilyFourLimiterAndClutch) {
  const std::string text =
      "KARDOMEX_KEY 106\nBIKE 5 3 9 1\n 6 0 0  7 0 0\n 1 2 3\nLIMITER 1 90 500 2 120\nCLUTCH 1 2 300 4 5\n"
      "CLUTCH_TIME 50 1 2 3 4 5\nRETARD 4\n";
  const IgnReadResult r = Read(text, true);
  ASSERT_EQ(r.status, IgnReadStatus::Accepted);
  EXPECT_EQ(img[PICKUP1_LOBES], 6);
  EXPECT_EQ(img[PICKUP2_LOBES], 7);
  EXPECT_EQ(img[REV_WITHOUT_IGNITION], 1);
  EXPECT_EQ(img[START_LIM], 90);
  EXPECT_EQ(img[START_LIM_DELAY], 5);
  EXPECT_EQ(img[LIMITER], 120);
  EXPECT_EQ(img[CLUTCH_PAUSE], 30);
  EXPECT_EQ(img[CLUTCH_TIME], 10);
  EXPECT_EQ(img[RETARD], 4);

  // The same keywords in a file of this family.
  img = StartupImage();
  Read("KARDOMEX_KEY 108\nCLUTCH_TIME 50 LIMITER 120 CLUTCH 60 300\n");
  EXPECT_EQ(img[LIMITER], 120);
  EXPECT_EQ(img[CLUTCH_TIME], 12);
  EXPECT_EQ(img[CLUTCH_PAUSE], 30);
}

// Keyword forms of older files and the conversions they carry.
TEST_F(IgnReaderTest, KeywordForms) {
  struct Case {
    const char* body;
    std::vector<std::pair<int, int>> bytes;  // byte offset, expected value
  } cases[] = {
      {"4_TAKT 2", {{FOUR_STROKE, 2}}},
      {"FOUR_STROKE_2ND_TURN 1 0 7 0", {{FOUR_STROKE_2ND_TURN, 5}}},
      {"INV_PICKUP 1 0", {{PICKUP1_POLARITY, 1}, {PICKUP2_POLARITY, 0}}},
      {"PICKUP_POLARITY 0 1", {{PICKUP1_POLARITY, 0}, {PICKUP2_POLARITY, 1}}},
      {"SPEC_START 1", {{SPECIAL_START, 1}}},
      {"BIKE 22 1 3 2", {{BIKE, 255}, {PICKUP_SYSTEM, 1}}},
      {"RPM -1 -3", {{RPM_PULSES, 255}, {RPM_CORRECTION, 97}}},
      {"RPM 254 0", {{RPM_PULSES, 254}, {RPM_CORRECTION, 100}}},
      {"INPUT 1 0 4 4 9",
       {{PICKUP1_POLARITY, 1}, {INPUT_FUNCTION, 3}, {INPUT_FUNCTION + 1, 3}, {INPUT_INVERT, 3}}},
      {"INPUT1 5 1 INPUT2 3 1", {{INPUT_FUNCTION, 5}, {INPUT_FUNCTION + 1, 3}, {INPUT_INVERT, 3}}},
      {"INPUT2 3 1 INPUT1 5 0", {{INPUT_INVERT, 0}}},  // INPUT1 clears first
      {"DWELL 1 2 3 4 5 6", {{EXCITATION, 1}, {DWELL, 2}, {DWELL + 3, 5}, {DWELL_5, 6}, {DUR_DISCHARG, 0}}},
      {"SENSOR_TPS_IAP 2", {{TPSIAP_SENSOR, 2}}},
      {"ADVANCE_MISC 1 12 -2 3",
       {{ADV_MAP, 1},
        {BASE_ADV, 12},
        {CORR_ADVANCE, 98},
        {CORR_ADVANCE + 1, 103},
        {ADV2_MAP, 1},
        {ADV_COLUMNS, 15}}},
      {"TPS_MAPA 3", {{ADV_MAP, 1}, {TPSIAP_SENSOR, 1}}},
      {"ADV_MAPA 1", {{ADV_MAP, 1}}},
      {"SERRVO_MISC 1 1 2 25", {{SERVO_ENABLE, 1}, {SERVO_PERCENT, 1}, {SERVO_MAP, 2}, {SERVO_HYSTER, 5}}},
      {"SERRVO_MISC_HO 100", {{SERVO_NO, 20}}},
      {"SERVO_NO 100", {{SERVO_NO, 100}}},
      {"SERVO_MAPA 2", {{SERVO_MAP, 2}}},
      {"POWER_OUT1 3 1000 2000 3000 50 10 20 1 0 0 1 0 1 0 0 1 1 1 1",
       {{POWER_OUT_FUNCTION, 255},
        {POWER_OUT_RPM, 10},
        {POWER_OUT_RPM + 2, 30},
        {POWER_OUT_HYSTERESIS, 5},
        {POWER_OUT_MASK, 9},
        {POWER_OUT_MASK + 1, 2},
        {POWER_OUT_MASK + 2, 15}}},
      {"POWER_OUT3 7 POWER_OUT4_PWM 8", {}},
      {"POWER_OUT3_SP_PWM 7 POWER_OUT4_SPWM_FR 8 POWER_OUT2_SPULSE 45",
       {{240, 7}, {237, 8}, {POWER_OUT_SPULSE + 1, 9}}},
      {"PILOT_LIGHT 9000 PILOT_LIGHT_INV_OUT 1 RETARD 3", {{POWER_OUT_RPM + 3, 90}, {RETARD, 3}}},
      {"INPUT_NEUTRAL_SS RETARD 3", {{RETARD, 3}}},
      {"START_LIM_DELAY 1250", {{START_LIM_DELAY, 12}}},
      {"LIMITER 0144", {{LIMITER, 100}}},  // octal
      {"LIMITER 0x78", {{LIMITER, 120}}},  // hexadecimal
      {"LIMITER 300", {{LIMITER, 0}}},     // out of the byte's range
      {"LIMITER -1", {{LIMITER, 0}}},      // out of the byte's range
      {"CORR_ADVANCE -101 156 -100 155",
       {{CORR_ADVANCE, 0}, {CORR_ADVANCE + 1, 0}, {CORR_ADVANCE + 2, 0}, {CORR_ADVANCE + 3, 255}}},
      {"SERVO_HYSTER 1280", {{SERVO_HYSTER, 0}}},                  // 256 after the scale
      {"FOO 1 2 BAR LIMITER 120", {{LIMITER, 120}}},               // unknown keywords are skipped
      {"SERVO_RPM 1000", {{SERVO_RPM, 10}, {SERVO_RPM + 1, 20}}},  // a missing value leaves the byte
  };
  for (const Case& c : cases) {
    img = StartupImage();
    const IgnReadResult r = Read(std::string("KARDOMEX_KEY 108\n") + c.body + "\n");
    ASSERT_EQ(r.status, IgnReadStatus::Accepted) << c.body;
    for (auto [adrb, value] : c.bytes) EXPECT_EQ(img[size_t(adrb)], value) << c.body << " @" << adrb;
  }
}

TEST_F(IgnReaderTest, WordsAndMaps) {
  const std::string text =
      "KARDOMEX_KEY 108\nPROPRIETARY -1 70000 5 0 -32768\nSENSOR_IAP 10 20 30 40\n"
      "ADVANCE2" +
      Rows(15, -30) + "\nSERVO_MV" + Rows(15, 1000) + "\n";
  const IgnReadResult r = Read(text);
  EXPECT_TRUE(r.map2Read);
  EXPECT_EQ(GetWord(img, Adrw::PROPRIETARY), 0xFFFF);
  EXPECT_EQ(GetWord(img, Adrw::PROPRIETARY + 1), 70000 & 0xFFFF);  // words keep 16 bits
  EXPECT_EQ(GetWord(img, Adrw::PROPRIETARY + 4), 0x8000);
  EXPECT_EQ(GetWord(img, Adrw::IAP_SENSOR + 3), 40);
  EXPECT_EQ(img[ADVANCE2], 70);
  EXPECT_EQ(img[ADVANCE2 + 149], 84);
  EXPECT_EQ(img[ADVANCE], 108);  // the first map stays
  EXPECT_EQ(img[SERVO], 50);
  EXPECT_EQ(img[SERVO + 14], 50);  // 1014 / 20
}

TEST_F(IgnReaderTest, LineEndsOfEveryKind) {
  Image source = StartupImage();
  source[LIMITER] = 123;
  source[ADVANCE + 77] = 150;
  NormaliseImage(source);
  const std::string crlf = WriteSettingsFile(source, {});
  std::string lf, cr;
  for (char ch : crlf) {
    if (ch != '\r') lf += ch;
    if (ch != '\n') cr += ch;
  }
  for (const std::string* text : std::vector<const std::string*>{&crlf, &lf, &cr}) {
    img = Image{};
    ASSERT_EQ(Read(*text).status, IgnReadStatus::Accepted);
    EXPECT_EQ(img[LIMITER], 123);
    EXPECT_EQ(img[ADVANCE + 77], 150);
    EXPECT_EQ(img[ADVANCE2 + 77], source[ADVANCE2 + 77]);
    EXPECT_EQ(img[POWER_OUT_PWM + 47], source[POWER_OUT_PWM + 47]);
  }
}

TEST_F(IgnReaderTest, TruncatedFileIsReadAsFarAsItGoes) {
  Image source = StartupImage();
  source[LIMITER] = 123;
  for (int i = 0; i < kMapCells; ++i) source[ADVANCE + i] = 90;
  const std::string full = WriteSettingsFile(source, {});
  const size_t cut = full.find("\r\n", full.find("\r\nADVANCE ") + 2);  // after the first map row
  img[SERVO] = 77;
  const Image before = img;
  ASSERT_EQ(Read(full.substr(0, cut)).status, IgnReadStatus::Accepted);
  EXPECT_EQ(img[LIMITER], 123);
  EXPECT_EQ(img[ADVANCE + 14], 90);
  EXPECT_EQ(img[ADVANCE + 15], before[ADVANCE + 15]);
  EXPECT_EQ(img[SERVO], 77);
  EXPECT_EQ(img[ADVANCE2 + 14], 90);  // no second map: a copy of the first
}

TEST_F(IgnReaderTest, KeywordOrNumberAtTheVeryEnd) {
  Read("KARDOMEX_KEY 108\nRETARD 3\nLIMITER");
  EXPECT_EQ(img[LIMITER], 110);
  Read("KARDOMEX_KEY 108\nRETARD 3\nLIMITER 99");  // the number runs into the end but is a number
  EXPECT_EQ(img[LIMITER], 99);
}

TEST_F(IgnReaderTest, UnitTextsAreNoKeywords) {
  Image source = StartupImage();
  source[RPM_PULSES] = 4;
  IgnVersions v;
  v.unit.owner = "Team RPM LIMITER";
  v.hexVersion = "BIKE";
  const std::string text = WriteSettingsFile(source, v);
  ASSERT_EQ(Read(text).status, IgnReadStatus::Accepted);
  EXPECT_EQ(img[RPM_PULSES], 4);
  EXPECT_EQ(img[LIMITER], source[LIMITER]);
  EXPECT_EQ(img[BIKE], source[BIKE]);
}

TEST_F(IgnReaderTest, FileSizeLimitAndUnreadableFiles) {
  test::TempDir dir;
  const std::string head = "KARDOMEX_KEY 108 LIMITER 120 \n";
  const std::string atLimit = dir.File("limit.ign"), over = dir.File("over.ign");
  test::WriteText(atLimit, head);
  std::filesystem::resize_file(atLimit, kIgnMaxFileSize);
  test::WriteText(over, head);
  std::filesystem::resize_file(over, kIgnMaxFileSize + 1);

  IgnReadOptions o;
  const Image before = img;
  EXPECT_EQ(ReadSettingsFile(over, img, defaults, o, &host).status, IgnReadStatus::TooLarge);
  EXPECT_EQ(img, before);
  EXPECT_EQ(ReadSettingsFile(dir.File("none.ign"), img, defaults, o, &host).status,
            IgnReadStatus::OpenFailed);
  EXPECT_EQ(ReadSettingsFile(dir.Path().string(), img, defaults, o, &host).status, IgnReadStatus::OpenFailed);
  const std::string fifo = dir.File("fifo.ign");  // opening must not wait for a writer
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadSettingsFile(fifo, img, defaults, o, &host).status, IgnReadStatus::OpenFailed);
  EXPECT_EQ(img, before);
  EXPECT_EQ(ReadSettingsFile(atLimit, img, defaults, o, &host).status, IgnReadStatus::Accepted);
  EXPECT_EQ(img[LIMITER], 120);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace ign
