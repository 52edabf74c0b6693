// Real settings files through the pages: exactly the edited parameters change.
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/normalise.h"
#include "pages_fixture.h"
#include "ui/app/file_host.h"

namespace ign {
namespace {

using test::PagesFixture;

std::vector<int> Differences(const Image& a, const Image& b) {
  std::vector<int> out;
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (a[size_t(i)] != b[size_t(i)]) out.push_back(i);
  return out;
}

// The Save dialog replaced: each name it would start with is kept, and it
// answers with choice (empty: cancelled). The dialog is back afterwards.
struct SaveChoices {
  std::vector<std::string> presets;
  std::string choice;
  SaveChoices() {
    SetSaveNameChooser([this](const std::string& preset) {
      presets.push_back(preset);
      return choice;
    });
  }
  ~SaveChoices() { SetSaveNameChooser(nullptr); }
};

TEST_F(PagesFixture, EditedLimiterAndAdvanceCellAreTheOnlyDifferencesOfTheSavedFile) {
  Image original = StartupImage();
  original[Adrb::LIMITER] = 120;
  original[Adrb::ADVANCE + 15 * 9 + 3] = 120;
  NormaliseImage(original);
  const std::string source = dir_.File("source.ign"), saved = dir_.File("saved.ign");
  ASSERT_TRUE(SaveSettingsFile(source, original, {}));

  TMainForm& f = StartOn(Page::Misc);
  f.OpenSettingsFile(source, Group::All);
  ASSERT_TRUE(fileMessages_.empty()) << fileMessages_.front();
  const Image opened = Img();
  TUpDown* limiter = UpDown("EditLimiter");
  limiter->stepBy(3);
  Tick(6);
  f.ShowPage(Page::Advance);
  CTabModel& model = Pages().PageAs<TAdvancePage>(Page::Advance)->Model();
  ASSERT_TRUE(model.StoreTypedValue(3, 9, "31", int32_t(f.TickCount())));
  f.SaveSettingsAs(saved);
  ASSERT_TRUE(fileMessages_.empty()) << fileMessages_.front();
  form_.reset();

  TMainForm& g = StartOn(Page::Misc);
  g.OpenSettingsFile(saved, Group::All);
  EXPECT_EQ(Differences(opened, Img()), (std::vector<int>{Adrb::LIMITER, Adrb::ADVANCE + 15 * 9 + 3}));
  EXPECT_EQ(Img()[Adrb::LIMITER], 123);
  EXPECT_EQ(Img()[Adrb::ADVANCE + 15 * 9 + 3], 131);
  EXPECT_EQ(UpDown("EditLimiter")->value(), 12300);
  g.ShowPage(Page::Advance);
  EXPECT_EQ(Pages().PageAs<TAdvancePage>(Page::Advance)->Model().Sheet(0).Cell(3, 9), 31);
}

// A copy cut off after 2000 bytes (inside the first advance map) opens with
// a warning; the window does not take it as the saved file, so Save asks for
// a name instead of writing the defaults over the damaged file.
TEST_F(PagesFixture, TruncatedSettingsFileOpensWithAWarningAndSaveAsksForAName) {
  Image img = StartupImage();
  img[Adrb::LIMITER] = 120;
  NormaliseImage(img);
  const std::string good = dir_.File("good.ign"), cut = dir_.File("cut.ign"), fixed = dir_.File("fixed.ign");
  ASSERT_TRUE(SaveSettingsFile(good, img, {}));
  const std::string whole = ign::WriteSettingsFile(img, {});
  ASSERT_TRUE(WriteFileAtomically(cut, whole.substr(0, 2000)));

  SaveChoices save;
  std::vector<std::string>& presets = save.presets;
  std::string& choice = save.choice;

  TMainForm& f = StartOn(Page::Misc);
  f.OpenSettingsFile(good, Group::All);
  ASSERT_TRUE(fileMessages_.empty()) << fileMessages_.front();
  ASSERT_TRUE(f.windowTitle().contains("good.ign"));

  f.OpenSettingsFile(cut, Group::All);
  ASSERT_EQ(fileMessages_.size(), 1u);
  const std::string& warning = fileMessages_[0];
  for (const char* part : {"\"cut.ign\" is incomplete", "inside \"ADVANCE\"", "of 150 values",
                           "Missing: ADV2_MAP, ADV2_IAP", "Save asks for a name"})
    EXPECT_NE(warning.find(part), std::string::npos) << part << " in:\n" << warning;
  const std::string line =
      "It ends in line " + std::to_string(1 + std::count(whole.begin(), whole.begin() + 1999, '\n'));
  EXPECT_NE(warning.find(line), std::string::npos) << line << " in:\n" << warning;
  EXPECT_EQ(Img()[Adrb::LIMITER], 120);  // what the file holds is loaded
  EXPECT_FALSE(f.windowTitle().contains("cut.ign")) << f.windowTitle().toStdString();
  EXPECT_FALSE(f.windowTitle().contains("good.ign")) << f.windowTitle().toStdString();
  EXPECT_EQ(f.CurrentFile(), "");
  // No current file, as after New; the damaged file is no recent file.
  ASSERT_EQ(f.Recent().Count(), 2);
  EXPECT_EQ(f.Recent().Entry(0), "");
  EXPECT_EQ(f.Recent().Entry(1), good);

  // Save and "Quicksave version" both ask, starting in the file's folder without a name.
  Find<QAction>("MenuSave")->trigger();
  f.MenuQuicksaveClick();
  EXPECT_EQ(presets, (std::vector<std::string>{dir_.File(""), dir_.File("")}));
  EXPECT_EQ(std::filesystem::file_size(cut), 2000u);  // nothing written over it

  choice = fixed;
  Find<QAction>("MenuSave")->trigger();
  EXPECT_TRUE(f.windowTitle().contains("fixed.ign"));
  EXPECT_EQ(f.CurrentFile(), fixed);
  CDefaults defaults;
  Image back = StartupImage();
  const IgnReadResult r = ign::ReadSettingsFile(fixed, back, defaults, {}, nullptr);
  EXPECT_TRUE(r.Accepted());
  EXPECT_FALSE(r.Damaged());
  EXPECT_EQ(back[Adrb::LIMITER], 120);
}

// A first run: the Save dialog starts in the user's documents folder (XDG),
// not in the folder the program was started from; once a file was saved,
// in that file's folder, and so again after a restart.
TEST_F(PagesFixture, SaveDialogStartsInDocumentsUntilAFolderWasUsed) {
  const std::string docs = dir_.File("Dokumente"), config = dir_.File("xdg-config");
  std::filesystem::create_directories(docs);
  std::filesystem::create_directories(config);
  ASSERT_TRUE(WriteFileAtomically(config + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + docs + "\"\n"));
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string kept = previous ? previous : "";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  SaveChoices save;
  std::vector<std::string>& presets = save.presets;
  std::string& choice = save.choice;
  struct Restore {
    std::string config;
    bool had;
    ~Restore() {
      if (had)
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
      else
        ::unsetenv("XDG_CONFIG_HOME");
    }
  } restore{kept, previous != nullptr};

  StartOn(Page::Misc);
  Find<QAction>("MenuSave")->trigger();  // cancelled
  ASSERT_EQ(presets.size(), 1u);
  EXPECT_EQ(presets[0], docs + "/");

  std::filesystem::create_directories(dir_.File("bikes"));
  choice = dir_.File("bikes/r1.ign");
  Find<QAction>("MenuSave")->trigger();
  ASSERT_TRUE(std::filesystem::exists(choice));
  choice.clear();
  Find<QAction>("MenuSave")->trigger();
  ASSERT_EQ(presets.size(), 3u);
  EXPECT_EQ(presets[2], dir_.File("bikes/r1.ign"));

  form_->close();  // the settings written at the end keep the folder
  form_.reset();
  StartOn(Page::Misc);
  Find<QAction>("MenuSave")->trigger();
  ASSERT_EQ(presets.size(), 4u);
  EXPECT_EQ(presets[3], dir_.File("bikes/r1.ign"));
}

}  // namespace
}  // namespace ign
