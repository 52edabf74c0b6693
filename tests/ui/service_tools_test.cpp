// The developer tools of the window: the "Servis" menu in test mode, the
// preset files written without touching the tuner's session, the page round
// trip of every preset, the About box and the self-test start.
#include <unistd.h>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "core/app/bike_file_name.h"
#include "core/app/dump_loader.h"
#include "core/app/preset_files.h"
#include "core/device/engine.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "form_fixture.h"
#include "ui/app/main_menu.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

// The tools work in the current folder: each test gets its own.
class ServiceToolsTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    previous_ = fs::current_path();
    fs::create_directories(dir_.File("work"));
    fs::current_path(dir_.File("work"));
  }
  void TearDown() override {
    fs::current_path(previous_);
    FormFixture::TearDown();
  }
  TMainForm& StartInTestMode() {
    ::setenv("IGN_MARKER_FILE", dir_.File("marker").c_str(), 1);
    EXPECT_TRUE(WriteFileAtomically(dir_.File("marker"), "DEVX_SWITCH\n"));
    return Start({"ignset", "nopatchcheck"});
  }

  fs::path previous_;
};

TEST_F(ServiceToolsTest, TheServiceMenuShowsOnlyInTestMode) {
  TMainForm& plain = Start({"ignset", "nopatchcheck"});
  EXPECT_FALSE(plain.MainMenu().Menu("MenuServis")->menuAction()->isVisible());
  form_.reset();
  TMainForm& test = StartInTestMode();
  EXPECT_TRUE(test.MainMenu().Menu("MenuServis")->menuAction()->isVisible());
  EXPECT_TRUE(Find<QAction>("MenuSaveAllNew")->isEnabled());
}

TEST_F(ServiceToolsTest, SaveAllNewLeavesTheSessionAsItWas) {
  TMainForm& f = StartInTestMode();
  f.ShowPage(Page::Advance);
  f.Params().Working()[Adrb::LIMITER] = 97;
  f.CommitImageChange();
  const Image edited = f.Params().Edited();
  const auto marks = f.Params().ChangeMarks();
  const QString title = f.windowTitle();
  const bool canUndo = f.Undo().CanUndo(), canRedo = f.Undo().CanRedo();

  Find<QAction>("MenuSaveAllNew")->trigger();
  ASSERT_EQ(fileMessages_.size(), 1u);
  EXPECT_NE(fileMessages_[0].find("44"), std::string::npos) << fileMessages_[0];
  size_t files = 0;
  for (const auto& e : fs::directory_iterator("new_ign")) files += e.path().extension() == ".ign";
  EXPECT_EQ(files, size_t(kPresetBikes));
  EXPECT_EQ(f.Params().Edited(), edited);
  EXPECT_EQ(f.Params().ChangeMarks(), marks);
  EXPECT_EQ(f.ActivePageIndex(), Page::Advance);
  EXPECT_EQ(f.windowTitle(), title);
  EXPECT_EQ(f.Undo().CanUndo(), canUndo);
  EXPECT_EQ(f.Undo().CanRedo(), canRedo);

  Find<QAction>("MenuCompareAll")->trigger();
  ASSERT_EQ(fileMessages_.size(), 2u);
  const std::string results = fs::absolute("new_ign/compare_all_new.txt").lexically_normal().string();
  EXPECT_NE(fileMessages_[1].find(results), std::string::npos) << fileMessages_[1];
}

TEST_F(ServiceToolsTest, ABlockedFolderGivesOneMessage) {
  TMainForm& f = StartInTestMode();
  ASSERT_TRUE(WriteFileAtomically("new_ign", "in the way"));
  const Image edited = f.Params().Edited();
  Find<QAction>("MenuSaveAllNew")->trigger();
  ASSERT_EQ(fileMessages_.size(), 1u);
  EXPECT_NE(fileMessages_[0].find("Open file error!"), std::string::npos);
  EXPECT_EQ(f.Params().Edited(), edited);
}

// The files hold what the Bike page's load and store would give: each preset
// goes through the pages unchanged.
TEST_F(ServiceToolsTest, EveryPresetRoundTripsThroughThePages) {
  TMainForm& f = StartInTestMode();
  f.ShowPage(Page::Bike);
  for (int bike = 0; bike < kPresetBikes; ++bike) {
    const Image scratch = PresetImage(bike);
    f.Params().Replace(scratch);
    f.Pages().LoadPages(true);
    f.Pages().StorePage();
    f.NormaliseEditedImage();
    EXPECT_TRUE(std::equal(scratch.begin(), scratch.begin() + RS_LEN_EXE, f.Params().Edited().begin()))
        << "bike " << bike;
  }
}

TEST_F(ServiceToolsTest, LoadBinTakesTheChosenCopyAsOneUndoStep) {
  TMainForm& f = StartInTestMode();
  f.ShowPage(Page::Test);
  auto* copies = Find<QComboBox>("ComboBoxLoadBin");
  auto* offset = Find<QLineEdit>("EditLoadBin");
  ASSERT_TRUE(copies && offset);
  EXPECT_TRUE(copies->isVisibleTo(&f));
  copies->setCurrentIndex(2);
  EXPECT_EQ(offset->text(), "0x901");

  // Four distinct images, copy k at k x 1152 + 1.
  std::string dump(1 + kDumpCopies * kDumpCopyStride, '\0');
  std::vector<Image> images;
  for (int k = 0; k < kDumpCopies; ++k) {
    images.push_back(PresetImage(k * 5 + 1));
    std::copy(images.back().begin(), images.back().begin() + RS_LEN_EXE,
              dump.begin() + k * kDumpCopyStride + 1);
  }
  const std::string path = dir_.File("dump.bin");
  ASSERT_TRUE(WriteFileAtomically(path, dump));
  f.SetDumpChooser([&] { return path; });
  const Image before = f.Params().Edited();
  Find<QPushButton>("ButtonLoadBin")->click();
  EXPECT_TRUE(std::equal(images[2].begin(), images[2].begin() + RS_LEN_EXE, f.Params().Edited().begin()));
  Find<QAction>("MenuZpet")->trigger();
  EXPECT_EQ(f.Params().Edited(), before);

  // Past the end: a message with the bytes read, the image unchanged.
  offset->setText(QStringLiteral("0x%1").arg(dump.size() - 100, 0, 16));
  Find<QPushButton>("ButtonLoadBin")->click();
  ASSERT_EQ(fileMessages_.size(), 1u);
  EXPECT_NE(fileMessages_[0].find("100"), std::string::npos) << fileMessages_[0];
  EXPECT_EQ(f.Params().Edited(), before);
  // Not an offset: nothing happens.
  offset->setText("901");
  Find<QPushButton>("ButtonLoadBin")->click();
  EXPECT_EQ(fileMessages_.size(), 1u);
}

TEST_F(ServiceToolsTest, LoadBinControlsShowOnlyInTestMode) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.ShowPage(Page::Test);
  EXPECT_FALSE(Find<QComboBox>("ComboBoxLoadBin")->isVisibleTo(&f));
  EXPECT_FALSE(Find<QPushButton>("ButtonLoadBin")->isVisibleTo(&f));
}

TEST_F(ServiceToolsTest, AboutBoxShowsTheVersionInEachLanguage) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  for (int lng : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    SetLanguage(lng);
    QString text, title;
    bool logo = false;
    f.SetAboutHook([&](QDialog& box) {
      EXPECT_EQ(box.objectName(), "FormAbout");
      title = box.windowTitle();
      text = box.findChild<QLabel*>("LabelAboutText")->text();
      logo = !box.findChild<QLabel*>("ImageLogo")->pixmap().isNull();
    });
    Find<QAction>("MenuAbout")->trigger();
    EXPECT_TRUE(text.contains("(v108)")) << text.toStdString();
    EXPECT_TRUE(text.simplified().contains(QString(__DATE__).simplified())) << text.toStdString();
    EXPECT_TRUE(logo);
    EXPECT_FALSE(title.isEmpty());
  }
}

TEST_F(ServiceToolsTest, SelfTestStartsOnlyWithAUnit) {
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.ButtonSelftestClick();
  EXPECT_EQ(f.Session().Monitor().SelfTest().Stage(), 0);
}

}  // namespace
}  // namespace ign::test
