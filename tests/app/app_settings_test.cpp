#include "core/app/app_settings.h"

#include <gtest/gtest.h>

#include "core/base/atomic_file.h"
#include "temp_dir.h"

namespace ign {
namespace {

TEST(IniNameEscape, CzechLettersBecomeHexUnitsAndComeBack) {
  const std::string name = "/home/petr/Nastavení/Čermák řídící.ign";
  std::string stored = EscapeIniName(name);
  // U+010C and U+0159 are above 0xFF; U+00ED (í) is a plain Latin-1 byte.
  EXPECT_NE(stored.find("\\x010C"), std::string::npos);
  EXPECT_NE(stored.find("\\x0159"), std::string::npos);
  EXPECT_NE(stored.find('\xED'), std::string::npos);
  EXPECT_EQ(UnescapeIniName(stored), name);
}

TEST(IniNameEscape, BackslashesAreDoubledAndEscapedWindowsPathIsNotOld) {
  const std::string name = "C:\\Data\\Č.ign";
  std::string stored = EscapeIniName(name);
  EXPECT_EQ(stored, "C:\\\\Data\\\\\\x010C.ign");
  EXPECT_FALSE(LooksLikeOldPath(stored));
  EXPECT_EQ(UnescapeIniName(stored), name);
}

TEST(IniNameEscape, OldPlainPathsAreTakenAsTheyStand) {
  struct Case {
    std::string stored, expected;
  } cases[] = {
      {"C:\\Ign\\data.ign", "C:\\Ign\\data.ign"},
      {"\\\\server\\share\\a.ign", "\\\\server\\share\\a.ign"},
      {"D:\\", "D:\\"},
      // Old files hold 8-bit Windows-1250: 0xE8 is c with caron.
      {"C:\\m\xE8.ign", "C:\\mč.ign"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(LooksLikeOldPath(c.stored)) << c.stored;
    EXPECT_EQ(UnescapeIniName(c.stored), c.expected) << c.stored;
  }
}

TEST(IniNameEscape, CharactersOutsideTheBasicPlaneAndControlsSurvive) {
  for (std::string name :
       {std::string("/tmp/\xF0\x9F\x8F\x8D.ign"), std::string("/tmp/a\nb.ign"), std::string(" lead.ign "),
        std::string("X:\r.ign"), std::string("C:\x01"), std::string("d:Č")}) {  // drive-like starts
    std::string stored = EscapeIniName(name);
    EXPECT_EQ(stored.find('\n'), std::string::npos);
    EXPECT_NE(stored.front(), ' ');
    EXPECT_EQ(UnescapeIniName(stored), name);
  }
}

TEST(IniNameEscape, BrokenEscapeEndsTheNameWithoutCrashing) {
  EXPECT_EQ(UnescapeIniName("abc\\x01"), "abc");
  EXPECT_EQ(UnescapeIniName("abc\\xZZZZdef"), "abc");
  EXPECT_EQ(UnescapeIniName("abc\\"), "abc");
  EXPECT_EQ(UnescapeIniName("a\\x010db"), "ačb");  // lower-case hex digits
}

TEST(AppSettingsFile, RoundTripKeepsEveryKeyInOrder) {
  test::TempDir dir;
  AppSettings s;
  s.left = 12, s.top = 34, s.height = 560, s.width = 780;
  s.comPort = 5, s.comPortAuto = 7, s.language = 3;
  s.comRows = "3:3300:115200,7:1:57600";
  s.file = "/data/Řepa.ign";
  s.iniFileDir = "/data/";
  s.activePage = 4, s.newInstal = 0, s.monitorPlayer = 1;
  s.history = {"/data/Řepa.ign", "/data/b.ign"};
  ASSERT_TRUE(SaveAppSettings(dir.File("application.ini"), s));

  std::string raw;
  ASSERT_TRUE(ReadWholeFile(dir.File("application.ini"), raw));
  const char* order[] = {"[FORM_HLAV]\r\n",
                         "Left=12\r\n",
                         "Top=34\r\n",
                         "Height=560\r\n",
                         "Width=780\r\n",
                         "ComPort=5\r\n",
                         "ComPortAuto=7\r\n",
                         "ComPortRows=3:3300:115200,7:1:57600\r\n",
                         "Language=3\r\n",
                         "File=/data/\\x0158epa.ign\r\n",
                         "IniFileDir=/data/\r\n",
                         "PageControl1->ActivePageIndex=4\r\n",
                         "NEWINSTAL=0\r\n",
                         "MONITORPLAYER=1\r\n",
                         "MenuHistory00=",
                         "MenuHistory01=/data/b.ign\r\n"};
  size_t pos = 0;
  for (const char* piece : order) {
    size_t at = raw.find(piece, pos);
    ASSERT_NE(at, std::string::npos) << piece << " missing or out of order in\n" << raw;
    pos = at;
  }
  EXPECT_EQ(raw.find("MenuHistory02"), std::string::npos);

  AppSettings back;
  ASSERT_TRUE(LoadAppSettings(dir.File("application.ini"), back));
  EXPECT_EQ(back.left, 12);
  EXPECT_EQ(back.width, 780);
  EXPECT_EQ(back.comPort, 5);
  EXPECT_EQ(back.comRows, s.comRows);
  EXPECT_EQ(back.language, 3);
  EXPECT_EQ(back.file, s.file);
  EXPECT_EQ(back.iniFileDir, s.iniFileDir);
  EXPECT_EQ(back.activePage, 4);
  EXPECT_EQ(back.newInstal, 0);
  EXPECT_EQ(back.monitorPlayer, 1);
  EXPECT_EQ(back.history, s.history);
}

TEST(AppSettingsFile, MissingKeysTakeTheirDefaults) {
  CIniFile ini;
  ini.Parse("[FORM_HLAV]\r\nFile=/x/a.ign\r\nMenuHistory01=/x/b.ign\r\n");
  AppSettings s;
  s.left = 100, s.width = 640, s.comPort = 9, s.comPortAuto = 4, s.language = 1, s.activePage = 2;
  s.newInstal = 0, s.monitorPlayer = 1, s.comRows = "3:3150:57600";
  ReadAppSettingsFrom(ini, s);
  EXPECT_EQ(s.left, 100);                // current value
  EXPECT_EQ(s.width, 640);               // current value
  EXPECT_EQ(s.comPort, 0);               // fixed default
  EXPECT_EQ(s.comPortAuto, 4);           // current value
  EXPECT_EQ(s.comRows, "3:3150:57600");  // current value
  EXPECT_EQ(s.language, 1);              // current value
  EXPECT_EQ(s.iniFileDir, "/x/a.ign");   // the File read
  EXPECT_EQ(s.activePage, 2);
  EXPECT_EQ(s.newInstal, 1);
  EXPECT_EQ(s.monitorPlayer, 0);
  // No MenuHistory00: one empty entry, then the list goes on with 01.
  EXPECT_EQ(s.history, (std::vector<std::string>{"", "/x/b.ign"}));
}

TEST(AppSettingsFile, EmptyHistoryValueEndsTheList) {
  CIniFile ini;
  ini.Parse("[FORM_HLAV]\nMenuHistory00=a\nMenuHistory01=b\nMenuHistory02=\nMenuHistory03=d\n");
  AppSettings s;
  ReadAppSettingsFrom(ini, s);
  EXPECT_EQ(s.history, (std::vector<std::string>{"a", "b"}));
}

TEST(AppSettingsFile, ShortenedHistoryDoesNotBringBackStaleEntries) {
  test::TempDir dir;
  AppSettings s;
  s.history = {"a", "b", "c", "d"};
  ASSERT_TRUE(SaveAppSettings(dir.File("application.ini"), s));
  s.history = {"a", "b"};
  ASSERT_TRUE(SaveAppSettings(dir.File("application.ini"), s));
  AppSettings back;
  LoadAppSettings(dir.File("application.ini"), back);
  EXPECT_EQ(back.history, s.history);
}

TEST(AppSettingsFile, TruncatedFileIsReadAsFarAsItGoes) {
  test::TempDir dir;
  AppSettings s;
  s.left = 5, s.top = 6, s.comPort = 3, s.file = "/f.ign";
  ASSERT_TRUE(SaveAppSettings(dir.File("application.ini"), s));
  std::string raw;
  ReadWholeFile(dir.File("application.ini"), raw);
  // Cut inside "ComPort=": the keys before survive, the cut one and the rest default.
  size_t cut = raw.find("ComPort=") + 4;
  ASSERT_TRUE(WriteFileAtomically(dir.File("application.ini"), raw.substr(0, cut)));
  AppSettings back;
  back.comPortAuto = 42;
  LoadAppSettings(dir.File("application.ini"), back);
  EXPECT_EQ(back.left, 5);
  EXPECT_EQ(back.top, 6);
  EXPECT_EQ(back.comPort, 0);
  EXPECT_EQ(back.comPortAuto, 42);
  EXPECT_EQ(back.file, "");
}

TEST(AppSettingsFile, SaveKeepsUnknownKeysAndSections) {
  test::TempDir dir;
  ASSERT_TRUE(
      WriteFileAtomically(dir.File("application.ini"), "[OTHER]\r\nX=1\r\n[FORM_HLAV]\r\nMine=7\r\n"));
  ASSERT_TRUE(SaveAppSettings(dir.File("application.ini"), AppSettings{}));
  CIniFile ini;
  ini.Load(dir.File("application.ini"));
  EXPECT_EQ(ini.ReadInteger("OTHER", "X", 0), 1);
  EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Mine", 0), 7);
}

}  // namespace
}  // namespace ign
