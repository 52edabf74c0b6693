// Real settings files through the pages: exactly the edited parameters change.
#include "core/files/ign_writer.h"
#include "core/params/normalise.h"
#include "pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;

std::vector<int> Differences(const Image& a, const Image& b) {
  std::vector<int> out;
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (a[size_t(i)] != b[size_t(i)]) out.push_back(i);
  return out;
}

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

}  // namespace
}  // namespace ign
