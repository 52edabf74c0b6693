#include "core/base/checked_math.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/base/atomic_file.h"
#include "tests/app/temp_dir.h"

namespace ign {
namespace {

class CheckedMath : public ::testing::Test {
 protected:
  void SetUp() override { SetMathErrorLogPath(dir_.File("IGN.err")); }
  void TearDown() override { SetMathErrorLogPath("IGN.err"); }
  std::string Log() {
    std::string text;
    ReadWholeFile(dir_.File("IGN.err"), text);
    return text;
  }
  test::TempDir dir_;
};

TEST_F(CheckedMath, LineFormatHasNoZeroPadding) {
  std::tm t{};
  t.tm_mday = 5, t.tm_mon = 2, t.tm_year = 124, t.tm_hour = 7, t.tm_min = 3, t.tm_sec = 9;
  EXPECT_EQ(FormatMathErrorLine(t, "sqrt"), "<LOG TIME=5.3.2024 7:3:9 VARN2008_v108: MATHERR sqrt>\n");
}

TEST_F(CheckedMath, SqrtDomainErrorGivesOneAndIsLogged) {
  EXPECT_EQ(CheckedSqrt(-4.0), 1.0);
  EXPECT_EQ(CheckedSqrt(16.0), 4.0);
  std::string log = Log();
  EXPECT_NE(log.find("VARN2008_v108: MATHERR sqrt>\n"), std::string::npos);
  EXPECT_EQ(log.find("MATHERR", log.find("MATHERR") + 1), std::string::npos);  // one line only
}

TEST_F(CheckedMath, OtherErrorsAreLoggedAndAppended) {
  EXPECT_TRUE(std::isnan(CheckedLog(-1.0)));
  EXPECT_TRUE(std::isinf(CheckedLog(0.0)));
  EXPECT_TRUE(std::isinf(CheckedExp(1e6)));
  EXPECT_TRUE(std::isnan(CheckedAcos(2.0)));
  EXPECT_EQ(CheckedPow(2.0, 10.0), 1024.0);  // no error, no line
  std::string log = Log();
  EXPECT_NE(log.find("MATHERR log>\n<LOG"), std::string::npos);
  EXPECT_NE(log.find("MATHERR exp>"), std::string::npos);
  EXPECT_NE(log.find("MATHERR acos>"), std::string::npos);
  EXPECT_EQ(log.find("pow"), std::string::npos);
}

TEST_F(CheckedMath, UnopenableLogDropsTheLine) {
  SetMathErrorLogPath(dir_.File("no-such-folder/IGN.err"));
  EXPECT_EQ(CheckedSqrt(-1.0), 1.0);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("no-such-folder")));
}

}  // namespace
}  // namespace ign
