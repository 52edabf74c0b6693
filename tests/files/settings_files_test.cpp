#include "core/files/settings_files.h"

#include <gtest/gtest.h>

#include "core/files/quicksave.h"
#include "core/params/normalise.h"
#include "tests/files/files_support.h"

namespace ign {
namespace {

using namespace Adrb;

class SettingsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseEnglishMessages();
    state.Replace(StartupImage());
    state.Normalise();
    files.newInstallation = &newInstal;
  }

  std::string SavedFile(const std::string& name, const Image& img) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(SaveSettingsFile(path, img, {}));
    return path;
  }

  test::TempDir dir;
  test::RecordingStatus status;
  CSettingsDoc state{&status};
  CDefaults defaults;
  test::RecordingHost host;
  CSettingsFiles files{state, defaults, host, status};
  int newInstal = 1;
};

TEST_F(SettingsFilesTest, OpenTakesTheFileOver) {
  Image img = state.Edited();
  img[LIMITER] = 130;
  const std::string path = SavedFile("bike.ign", img);

  const IgnReadResult r = files.OpenConfirmed(path);
  ASSERT_TRUE(r.Accepted());
  EXPECT_EQ(state.Edited()[LIMITER], 130);
  EXPECT_EQ(state.File(), state.Edited());
  EXPECT_TRUE(state.Saved());
  EXPECT_EQ(newInstal, 0);
  EXPECT_EQ(host.appSettingsWrites, 1);  // the flag is written at once
  EXPECT_EQ(files.session.currentFile, path);
  EXPECT_EQ(files.session.lastPath, path);
  EXPECT_EQ(files.session.dialogFile, path);
  EXPECT_TRUE(files.session.fileIsCurrent);
  EXPECT_EQ(host.recentAdded, std::vector<std::string>{path});
  EXPECT_EQ(host.commits, 1);
  EXPECT_GE(host.reloads, 1);
  EXPECT_GE(status.titles, 1);
  EXPECT_EQ(status.resultClears, 1);
}

TEST_F(SettingsFilesTest, MissingFileLeavesTheRecentList) {
  const Image before = state.Edited();
  const std::string path = dir.File("gone.ign");
  EXPECT_EQ(files.LoadSettingsFile(path).status, IgnReadStatus::OpenFailed);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Open file error!"});
  EXPECT_EQ(host.recentRemoved, std::vector<std::string>{path});
  EXPECT_EQ(status.resultClears, 1);
  EXPECT_EQ(state.Edited(), before);
  EXPECT_EQ(newInstal, 1);
}

TEST_F(SettingsFilesTest, FolderIsAnOpenError) {
  EXPECT_EQ(files.LoadSettingsFile(dir.Path().string()).status, IgnReadStatus::OpenFailed);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Open file error!"});
}

TEST_F(SettingsFilesTest, UnmatchedFileIsNotTakenAsTheSavedFile) {
  const std::string good = SavedFile("good.ign", state.Edited());
  ASSERT_TRUE(files.LoadSettingsFile(good).Accepted());
  state.Working()[SPECIAL_START_PERC] = 40;
  state.MarkSaved(state.Edited());  // as if good.ign held 40
  const Image file = state.File();

  const std::string bad = dir.File("bad.ign");
  test::WriteText(bad, "KARDOMEX_KEY 120\nLIMITER 200\n");
  host.messages.clear();
  const IgnReadResult r = files.LoadSettingsFile(bad);
  EXPECT_EQ(r.status, IgnReadStatus::Unmatched);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Unmatched version of *.ign file!"});
  EXPECT_EQ(state.Edited()[SPECIAL_START_PERC], 0);
  EXPECT_EQ(state.Edited()[LIMITER], 110);
  EXPECT_EQ(files.session.currentFile, good);
  EXPECT_EQ(state.File(), file);
  EXPECT_FALSE(state.Saved());  // the image no longer equals good.ign
  EXPECT_EQ(host.recentAdded.size(), 1u);
}

TEST_F(SettingsFilesTest, OlderFileShowsItsMessageOnceAndLoadsDefaultsForTheBikeSection) {
  state.Working()[RETARD] = 9;
  state.Working()[TEST_SET] = 7;
  const std::string path = dir.File("old.ign");
  test::WriteText(path,
                  "KARDOMEX_KEY 97\r\nBIKE 3 3 9 2\r\n 6 0 0 7 0 0 8 0 0 9 0 0\r\n"
                  " 1 0 0 1 0 0 1 0 0 1 0 0\r\n 0 6 6 6 6\r\nLIMITER 90\r\n");
  const IgnReadResult r = files.LoadSettingsFile(path);
  ASSERT_TRUE(r.Accepted());
  EXPECT_TRUE(r.bikeSection);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("Older or another version of *.ign file!", 0), 0u);
  EXPECT_EQ(state.Edited()[BIKE], 3);
  EXPECT_EQ(state.Edited()[PICKUP1_LOBES], 6);
  EXPECT_EQ(state.Edited()[LIMITER], 90);
  EXPECT_EQ(state.Edited()[RETARD], 6);     // default
  EXPECT_EQ(state.Edited()[TEST_SET], 50);  // default, loaded between the passes
  EXPECT_TRUE(state.Saved());
}

TEST_F(SettingsFilesTest, BikeSectionLoadsTheDefaultsOfTheGroupBetweenThePasses) {
  const std::string withBike = dir.File("with.ign"), without = dir.File("without.ign");
  test::WriteText(withBike,
                  "KARDOMEX_KEY 108\nBIKE 20 1 5 2\n1 0 0 2 0 0\n1 0 0 2 0 0\n1 0 0 2 0 0\n1 0 0 2 0 0\n1 6 "
                  "6 6 6\nRETARD 3\n");
  test::WriteText(without, "KARDOMEX_KEY 108\nRETARD 3\n");
  state.Working()[LIMITER] = 200;
  state.Working()[BASE_ADV] = 30;
  ASSERT_TRUE(files.LoadSettingsFile(without, Group::Misc).Accepted());
  EXPECT_EQ(state.Edited()[LIMITER], 200);
  ASSERT_TRUE(files.LoadSettingsFile(withBike, Group::Misc).Accepted());
  EXPECT_EQ(state.Edited()[LIMITER], 110);  // the page's defaults
  EXPECT_EQ(state.Edited()[BASE_ADV], 30);  // another page: untouched
  EXPECT_EQ(state.Edited()[RETARD], 3);     // then the file
}

TEST_F(SettingsFilesTest, DamagedFileIsReadButNotTakenAsTheSavedFile) {
  Image img = state.Edited();
  img[LIMITER] = 130;
  const std::string good = SavedFile("good.ign", img);
  ASSERT_TRUE(files.OpenConfirmed(good).Accepted());
  const Image goodImage = state.File();

  img[LIMITER] = 140;
  img[SERVO_PERCENT] = 7;
  const std::string whole = WriteSettingsFile(img, {});
  const std::string cut = dir.File("cut.ign");
  test::WriteText(cut, whole.substr(0, whole.find("\r\nADVANCE ") + 300));
  host.messages.clear();
  const IgnReadResult r = files.LoadSettingsFile(cut);
  ASSERT_TRUE(r.Accepted());
  ASSERT_TRUE(r.Damaged());
  EXPECT_EQ(r.damage->cutKeyword, "ADVANCE");
  EXPECT_TRUE(host.messages.empty());       // the window shows the warning itself
  EXPECT_EQ(state.Edited()[LIMITER], 140);  // what the file holds is loaded
  EXPECT_NE(state.Edited()[SERVO_PERCENT], 7);
  EXPECT_EQ(state.File(), goodImage);  // but it is not the file image
  EXPECT_FALSE(state.Saved());
  EXPECT_EQ(files.session.currentFile, "");  // no name: Save asks for one
  EXPECT_EQ(files.session.dialogFile, dir.Path().string() + "/");
  EXPECT_EQ(host.recentAdded, (std::vector<std::string>{good, ""}));  // no current file, as after New
  EXPECT_EQ(host.commits, 2);                                         // an undo step like any load
  EXPECT_EQ(files.QuicksaveVersion(), QuicksaveStatus::UseSave);
}

TEST_F(SettingsFilesTest, SaveWritesTheNormalisedImage) {
  state.Working()[LIMITER] = 3;  // normalisation raises it to 10
  const std::string path = dir.File("s.ign");
  ASSERT_TRUE(files.Save(path));
  EXPECT_EQ(state.Edited()[LIMITER], 10);
  EXPECT_EQ(test::ReadText(path), WriteSettingsFile(state.Edited(), {}));
  EXPECT_TRUE(state.Saved());
  EXPECT_EQ(state.File(), state.Edited());
  EXPECT_EQ(files.session.currentFile, path);
  EXPECT_TRUE(files.session.fileIsCurrent);
  EXPECT_EQ(host.recentAdded, std::vector<std::string>{path});
}

TEST_F(SettingsFilesTest, SaveThatCannotWriteChangesNothing) {
  const std::string path = SavedFile("keep.ign", state.Edited());
  ASSERT_TRUE(files.LoadSettingsFile(path).Accepted());
  const std::string before = test::ReadText(path);
  state.Working()[LIMITER] = 3;
  const Image edited = state.Edited();
  EXPECT_FALSE(files.Save(dir.File("no/such/folder.ign")));
  EXPECT_EQ(host.messages, std::vector<std::string>{"Open file error!"});
  EXPECT_EQ(state.Edited(), edited);
  EXPECT_EQ(files.session.currentFile, path);
  EXPECT_EQ(test::ReadText(path), before);
}

TEST_F(SettingsFilesTest, QuicksaveWritesTheNextNumberedCopy) {
  EXPECT_EQ(files.QuicksaveVersion(), QuicksaveStatus::UseSave);  // no file current yet
  const std::string path = dir.File("bike.ign");
  ASSERT_TRUE(files.Save(path));
  test::WriteText(dir.File("bike_001.ign"), "");
  test::WriteText(dir.File("bike_007.ign"), "");
  test::WriteText(dir.File("bike_x.ign"), "");
  test::WriteText(dir.File("bike_900.txt"), "");
  state.Working()[RETARD] = 4;

  std::string written;
  EXPECT_EQ(files.QuicksaveVersion(&written), QuicksaveStatus::Written);
  EXPECT_EQ(written, dir.File("bike_008.ign"));
  EXPECT_EQ(test::ReadText(written), WriteSettingsFile(state.Edited(), {}));
  EXPECT_EQ(files.session.currentFile, path);  // the current file stays
  EXPECT_TRUE(state.Saved());
  EXPECT_EQ(host.recentAdded, std::vector<std::string>{path});  // the copy is not added

  files.session.currentFile = dir.File("noext");
  EXPECT_EQ(files.QuicksaveVersion(), QuicksaveStatus::UseSave);
  files.session.currentFile = dir.File("gone/x.ign");
  EXPECT_EQ(files.QuicksaveVersion(), QuicksaveStatus::Failed);
  EXPECT_EQ(host.messages.size(), 0u);
}

TEST(Quicksave, NameRule) {
  using V = std::vector<std::string>;
  EXPECT_EQ(NextQuicksaveName("/d/set.ign", V{"set.ign"}), "/d/set_001.ign");
  EXPECT_EQ(NextQuicksaveName("/d/bike.ign", V{"bike_001.ign", "bike_007.ign", "bike.ign"}),
            "/d/bike_008.ign");
  EXPECT_EQ(NextQuicksaveName("/d/b.ign", V{"b_0999.ign"}), "/d/b_1000.ign");  // more digits when needed
  EXPECT_EQ(NextQuicksaveName("/d/b.ign", V{"b_old_2.ign", "b_000.ign", "b_3x.ign"}), "/d/b_004.ign");
  EXPECT_EQ(NextQuicksaveName("/d.x/noext", V{}), "");  // a dot in a folder is no extension
  EXPECT_EQ(QuicksaveNumber("a_0012.ign"), 12);
  EXPECT_EQ(QuicksaveNumber("a_.ign"), -1);
  EXPECT_EQ(QuicksaveNumber("a.ign"), -1);
}

TEST(Quicksave, DefaultFile) { EXPECT_EQ(CSettingsFiles::DefaultFile("/opt/ign"), "/opt/ign/data.ign"); }

}  // namespace
}  // namespace ign
