#include "core/files/ign_writer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <random>
#include <sstream>

#include "core/params/defaults.h"
#include "core/params/lobe.h"
#include "core/params/normalise.h"
#include "tests/files/files_support.h"

namespace ign {
namespace {

const std::string kGolden = std::string(IGN_SOURCE_DIR) + "/tests/files/golden/default.ign";

Image DefaultImage() {
  Image img = StartupImage();
  NormaliseImage(img);
  return img;
}

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i; (i = file.find("\r\n", start)) != std::string::npos; start = i + 2)
    lines.push_back(file.substr(start, i - start));
  lines.push_back(file.substr(start));
  return lines;
}

// The values written on the line of keyword (the text after its column).
std::string ValuesOf(const std::string& file, const std::string& keyword) {
  for (const std::string& line : Lines(file))
    if (line.compare(0, keyword.size(), keyword) == 0 && line.size() > keyword.size() &&
        line[keyword.size()] == ' ')
      return line.substr(size_t(KeywordWidth(int(keyword.size()))));
  return "<missing " + keyword + ">";
}

bool IsKeyword(const std::string& s) {
  for (char c : s)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return !s.empty();
}

// Integers each followed by one space, right-aligned by "%5i ".
bool IsValueList(const std::string& s) {
  std::istringstream in(s);
  std::string item;
  while (in >> item) {
    const size_t digits = item[0] == '-' ? 1 : 0;
    if (item.size() == digits || item.find_first_not_of("0123456789", digits) != std::string::npos)
      return false;
  }
  return s.empty() || s.back() == ' ';
}

std::string Values(std::initializer_list<int> values) {
  std::string s;
  char buf[16];
  for (int v : values) {
    std::snprintf(buf, sizeof buf, "%5i ", v);
    s += buf;
  }
  return s;
}

TEST(IgnWriter, DefaultSettingsMatchTheGoldenFile) {
  IgnVersions versions;  // no unit connected yet
  const std::string bytes = WriteSettingsFile(DefaultImage(), versions);
  if (std::getenv("IGN_UPDATE_GOLDEN")) test::WriteText(kGolden, bytes);
  EXPECT_EQ(bytes, test::ReadText(kGolden))
      << "regenerate with IGN_UPDATE_GOLDEN=1 after checking the change";
}

TEST(IgnWriter, LayoutRules) {
  std::mt19937 rng(7);
  Image img{};
  for (int i = 0; i < RS_LEN_EXE; ++i) img[size_t(i)] = uint8_t(rng());
  NormaliseImage(img);
  const std::string file = WriteSettingsFile(img, {});

  const std::vector<std::string> lines = Lines(file);
  EXPECT_EQ(lines[0], "KARDOMEX_KEY     108 QUNTAR6/QUNTAR6");
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    ASSERT_FALSE(l.empty()) << "line " << i;
    EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << "line " << i;
    if (l.rfind("HEX ", 0) == 0 || l.rfind("HW/FW ", 0) == 0 || l.rfind("EXE ", 0) == 0) continue;
    // A keyword padded to its column, or a continuation line of 15 spaces; then the values.
    const size_t len = l[0] == ' ' ? 0 : l.find(' ');
    ASSERT_NE(len, std::string::npos) << "line " << i << ": '" << l << "'";
    EXPECT_TRUE(len == 0 || IsKeyword(l.substr(0, len))) << l;
    const size_t column = len == 0 ? 15 : size_t(KeywordWidth(int(len)));
    ASSERT_GE(l.size(), column) << l;
    EXPECT_EQ(l.substr(len, column - len), std::string(column - len, ' ')) << l;
    EXPECT_TRUE(IsValueList(l.substr(column))) << "line " << i << ": '" << l << "'";
  }
  EXPECT_EQ(KeywordWidth(13), 15);
  EXPECT_EQ(KeywordWidth(14), 21);
  EXPECT_EQ(KeywordWidth(19), 21);
  EXPECT_EQ(KeywordWidth(20), 27);
  EXPECT_EQ(KeywordWidth(25), 27);
}

TEST(IgnWriter, ShownValuesAndConversions) {
  Image img = DefaultImage();
  using namespace Adrb;
  img[RPM_PULSES] = 255;                       // "pickup 1", written unsigned
  img[RPM_CORRECTION] = 97;                    // -3
  img[CORR_ADVANCE + 1] = 95;                  // -5 degrees
  SetWord(img, Adrw::PROPRIETARY + 2, 65535);  // signed: -1
  img[START_LIM_DELAY] = 7;
  img[CLUTCH_TIME] = 21, img[CLUTCH_PAUSE] = 33;
  img[SERVO_HYSTER] = 4;
  img[FOUR_STROKE_2ND_TURN] = 0x0A;
  img[POWER_OUT_SPULSE + 1] = 9;
  img[POWER_OUT_MASK + 3] = 0x05;
  const std::string file = WriteSettingsFile(img, {});

  EXPECT_EQ(ValuesOf(file, "RPM"), Values({255, -3}));
  EXPECT_EQ(ValuesOf(file, "CORR_ADVANCE"), Values({0, -5, 0, 0}));
  EXPECT_EQ(ValuesOf(file, "PROPRIETARY"), Values({0, 0, -1, 0, 0}));
  EXPECT_EQ(ValuesOf(file, "START_LIM_DELAY"), Values({700}));
  EXPECT_EQ(ValuesOf(file, "CLUTCH"), Values({105, 330}));
  EXPECT_EQ(ValuesOf(file, "SERVO_HYSTER"), Values({20}));
  EXPECT_EQ(ValuesOf(file, "FOUR_STROKE_2ND_TURN"), Values({0, 1, 0, 1}));
  EXPECT_EQ(ValuesOf(file, "POWER_OUT2_SPULSE"), Values({45}));
  EXPECT_EQ(ValuesOf(file, "LIMITER"), Values({110}));
  EXPECT_EQ(ValuesOf(file, "RPM_ADV"), Values({1500, 2000, 2500, 3000, 3500, 4000, 5000, 6000, 7000, 8000,
                                               9000, 10000, 11000, 12000, 14000}));
  EXPECT_EQ(ValuesOf(file, "ADVANCE"), Values({8, 8, 8, 12, 20, 23, 28, 33, 35, 35, 35, 35, 35, 35, 35}));
  EXPECT_NE(file.find(Values(
                {2000, 2100, 2200, 2300, 2400, 2440, 2500, 2540, 2600, 2640, 2700, 2740, 2800, 2840, 2900})),
            std::string::npos);  // the servo map in mV (stored in steps of 20)
  // Output 2's masks: three lines of four bits.
  EXPECT_NE(file.find("\r\n               " + Values({1, 0, 1, 0})), std::string::npos);
}

TEST(IgnWriter, LobeLinesInBothEncodings) {
  Image img = DefaultImage();
  using namespace Adrb;
  img[PICKUP_SYSTEM] = 1;
  img[PICKUP1_LOBES] = 0x80 | 0x40 | 5;  // second pick-up, second edge, lobe 5
  img[PICKUP2_LOBES] = 3;
  std::string file = WriteSettingsFile(img, {});
  EXPECT_NE(file.find("\r\n               " + Values({5, 1, 1}) + "\r\n               " + Values({3, 0, 0})),
            std::string::npos);

  img[PICKUP_SYSTEM] = kWideLobeSystem;
  img[LOBE_COUNT] = 116;
  img[PICKUP1_LOBES] = 0x80 | 0x40 | 5;  // lobe 69, second edge; no second-pick-up flag
  file = WriteSettingsFile(img, {});
  EXPECT_NE(file.find("\r\n               " + Values({69, 1, 0}) + "\r\n"), std::string::npos);
}

TEST(IgnWriter, InvertedInputsAddTheInputKeywords) {
  Image img = DefaultImage();
  EXPECT_EQ(WriteSettingsFile(img, {}).find("INPUT1"), std::string::npos);
  img[Adrb::INPUT_FUNCTION + 1] = 5;
  img[Adrb::INPUT_INVERT] = 2;
  const std::string file = WriteSettingsFile(img, {});
  EXPECT_EQ(ValuesOf(file, "INPUT1"), Values({2, 0}));
  EXPECT_EQ(ValuesOf(file, "INPUT2"), Values({5, 1}));
}

TEST(IgnWriter, VersionsBlockAndCalibration) {
  IgnVersions v;
  v.hexDate = "19.10.2023";
  v.hexTime = "10:11";
  v.hexVersion = "v1.08";
  v.versionText = "RSKEY=108.00";
  v.unit.code = "240203A_KDX07";
  v.unit.owner = "Jiří";
  std::string file = WriteSettingsFile(DefaultImage(), v);
  EXPECT_EQ(file.find("Mon_Calib"), std::string::npos);  // no unit connected
  EXPECT_NE(file.find("\r\nVERSIONS       \r\nHEX   19.10.2023\t10:11\tv1.08\r\n"
                      "HW/FW  240203A_KDX07   RSKEY=108.00   ()      Ji\xF8\xED\r\n"
                      "EXE    Oct 19 2023\t09:46:27\r\n               "),
            std::string::npos);

  v.calibration = std::array<int, 3>{1234, -5, 0};
  file = WriteSettingsFile(DefaultImage(), v);
  const std::string tail =
      "\r\nMon_Calib_CoefEE     1234\r\nMon_Calib_CoefFLASH  -5\r\nMon_Calib_CoefNEW    0";
  ASSERT_GE(file.size(), tail.size());
  EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
}

TEST(IgnWriter, SaveReplacesTheFileOrLeavesItAlone) {
  test::TempDir dir;
  const std::string path = dir.File("a.ign");
  test::WriteText(path, "old");
  ASSERT_TRUE(SaveSettingsFile(path, DefaultImage(), {}));
  EXPECT_EQ(test::ReadText(path), WriteSettingsFile(DefaultImage(), {}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary left

  EXPECT_FALSE(SaveSettingsFile(dir.File("missing/b.ign"), DefaultImage(), {}));
}

}  // namespace
}  // namespace ign
