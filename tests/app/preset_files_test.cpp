// The developer tools over the preset bikes: file names, the set of default
// settings files, the comparison with an older set, and the dump loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/app/bike_file_name.h"
#include "core/app/dump_loader.h"
#include "core/app/preset_files.h"
#include "core/base/atomic_file.h"
#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/language.h"
#include "temp_dir.h"

namespace ign {
namespace {

namespace fs = std::filesystem;

TEST(BikeFileName, FollowsTheBlankRule) {
  struct Case {
    const char* text;
    const char* name;
  } cases[] = {
      {"Honda CBR 7P", "Honda CBR 7P"},
      {"3 Zylinder   1 Geber", "3 Zylinder (1 Geber)"},
      {"Suzuki GSX-R  ", "Suzuki GSX-R"},
      {"A  1  2", "A (1 (2)"},  // two blank runs before digits: two "(", one ")" at the end
      {"A  b", "A b"},          // dropped blanks before a letter: no "("
      {"24-1/4 cyl", "24-1_4 cyl"},
      {"Tab\there", "Tab_here"},
      {"3 válce,  1 snímač", "3 válce, (1 snímač)"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BikeFileName(c.text), c.name) << c.text;
}

TEST(BikeFileName, EveryPresetBikeHasItsOwnNonEmptyName) {
  for (int lng : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    SetLanguage(lng);
    const std::vector<std::string> names = BikeFileNames(kPresetBikes);
    ASSERT_EQ(names.size(), size_t(kPresetBikes));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const std::string& n : names) EXPECT_FALSE(n.empty());
    // Values the bike list has no item for.
    for (int bike : {22, 41, 42}) EXPECT_EQ(names[size_t(bike)], "Bike " + std::to_string(bike));
  }
  SetLanguage(LNG_ENGLISH);
}

TEST(PresetFiles, OneFilePerBikeThatReadsBackAsItsScratchImage) {
  test::TempDir dir;
  const std::string folder = dir.File("new_ign");
  const PresetSaveResult saved = SavePresetFiles(folder);
  ASSERT_TRUE(saved.folderOk);
  EXPECT_TRUE(saved.failed.empty());
  const std::vector<std::string> names = BikeFileNames(kPresetBikes);
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(folder)) files += e.path().extension() == ".ign";
  EXPECT_EQ(files, size_t(kPresetBikes));
  for (int bike = 0; bike < kPresetBikes; ++bike) {
    SCOPED_TRACE(bike);
    const std::string path = folder + "/" + names[size_t(bike)] + ".ign";
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    Image expected = PresetImage(bike);
    // Written as without a unit, whatever unit the window may have connected.
    EXPECT_EQ(text, WriteSettingsFile(expected, IgnVersions{}));
    Image back = StartupImage();
    CDefaults defaults;
    defaults.SetGroupMask(Group::All);
    ASSERT_TRUE(ReadSettingsFile(path, back, defaults, {}, nullptr).Accepted());
    // The settings-file reader reads bike 22 as a user's own setting.
    if (bike == 22) expected[Adrb::BIKE] = kBikeUserDefined;
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + RS_LEN_EXE, expected.begin()));
  }
}

TEST(PresetFiles, AFileInTheWayOfTheFolderFailsCleanly) {
  test::TempDir dir;
  const std::string folder = dir.File("new_ign");
  ASSERT_TRUE(WriteFileAtomically(folder, "not a folder"));
  const PresetSaveResult saved = SavePresetFiles(folder);
  EXPECT_FALSE(saved.folderOk);
  std::string text;
  ASSERT_TRUE(ReadWholeFile(folder, text));
  EXPECT_EQ(text, "not a folder");
}

TEST(PresetFiles, LineComparison) {
  struct Case {
    const char* name;
    std::string oldText, newText, result;
  } cases[] = {
      {"equal", "A=1\r\nB=2\r\n", "A=1\r\nB=2\r\n", ""},
      {"build stamp", "EXE=2023_10_19\r\nA=1\r\n", "EXE=2026_12_10\r\nA=1\r\n", ""},
      {"line ends", "A=1\r\nB=2\r\n", "A=1\nB=2\n", ""},
      {"one value", "A=1\r\nLIMITER=123\r\n", "A=1\r\nLIMITER=124\r\n",
       "....line:2\n          3\nLIMITER=124\n"},
      {"extra new lines", "A=1\r\n", "A=1\r\nB=2\r\nC=3\r\n",
       "....line:2 (new only)\nB=2\n....line:3 (new only)\nC=3\n"},
      {"binary", std::string("\x00\xff\n", 3), std::string("\x00\xfe\n", 3),
       std::string("....line:1\n \xff\n\x00\xfe\n", 17)},
  };
  for (const Case& c : cases) EXPECT_EQ(CompareSettingsText(c.oldText, c.newText), c.result) << c.name;
}

TEST(PresetFiles, CompareReportsMissingFilesAndWritesTheResultFile) {
  test::TempDir dir;
  const std::string oldFolder = dir.File("new_ign_old"), newFolder = dir.File("new_ign");
  ASSERT_TRUE(SavePresetFiles(newFolder).failed.empty());
  fs::create_directories(oldFolder);
  const std::vector<std::string> names = BikeFileNames(kPresetBikes);
  // Bike 0: the same file; bike 1: missing in the old set; bike 2: missing in the new set.
  fs::copy_file(newFolder + "/" + names[0] + ".ign", oldFolder + "/" + names[0] + ".ign");
  fs::copy_file(newFolder + "/" + names[2] + ".ign", oldFolder + "/" + names[2] + ".ign");
  fs::remove(newFolder + "/" + names[2] + ".ign");

  const PresetCompareResult result = ComparePresetFiles(oldFolder, newFolder);
  ASSERT_TRUE(result.ok);
  EXPECT_TRUE(fs::path(result.path).is_absolute());
  std::string text;
  ASSERT_TRUE(ReadWholeFile(result.path, text));
  const std::string header = "------------------------------------------------------   ";
  const std::string expectedStart = header + BikeItemText(0) + "\n" + header + BikeItemText(1) + "\n" +
                                    "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \n" + header +
                                    BikeItemText(2) + "\n" +
                                    "!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!\n";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
}

TEST(PresetFiles, CompareFailsWhenTheResultCannotBeWritten) {
  test::TempDir dir;
  const PresetCompareResult result = ComparePresetFiles(dir.File("old"), dir.File("missing/new"));
  EXPECT_FALSE(result.ok);
}

TEST(DumpLoader, OffsetsAndTheirText) {
  EXPECT_EQ(DumpCopyOffsetText(0), "0x1");
  EXPECT_EQ(DumpCopyOffsetText(2), "0x901");
  EXPECT_EQ(ParseDumpOffset("0x901"), 0x901u);
  EXPECT_EQ(ParseDumpOffset("0xAbC"), 0xABCu);
  for (const char* bad : {"", "0x", "901", "0x90g", "0x901 ", " 0x901", "0X901", "0x123456789"})
    EXPECT_EQ(ParseDumpOffset(bad), std::nullopt) << bad;
}

TEST(DumpLoader, LoadsEachCopyAndRefusesAShortRead) {
  test::TempDir dir;
  std::string dump(1 + kDumpCopies * kDumpCopyStride, '\0');
  std::vector<Image> copies;
  for (int k = 0; k < kDumpCopies; ++k) {
    copies.push_back(PresetImage(k * 3));
    std::copy(copies.back().begin(), copies.back().begin() + RS_LEN_EXE,
              dump.begin() + k * kDumpCopyStride + 1);
  }
  const std::string path = dir.File("dump.bin");
  ASSERT_TRUE(WriteFileAtomically(path, dump));
  for (int k = 0; k < kDumpCopies; ++k) {
    Image img{};
    const DumpRead read = LoadDump(path, *ParseDumpOffset(DumpCopyOffsetText(k)), img);
    EXPECT_TRUE(read.Complete());
    EXPECT_TRUE(std::equal(img.begin(), img.begin() + RS_LEN_EXE, copies[size_t(k)].begin())) << k;
  }
  Image img = copies[0];
  const DumpRead past = LoadDump(path, uint32_t(dump.size()) - 10, img);
  EXPECT_TRUE(past.opened);
  EXPECT_EQ(past.bytesRead, 10u);
  EXPECT_EQ(img, copies[0]);  // unchanged
  EXPECT_FALSE(LoadDump(dir.File("none.bin"), 0, img).opened);
}

}  // namespace
}  // namespace ign
