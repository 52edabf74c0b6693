// The help links of the Device and Help menus, the user guide, and the
// "Check for updates at start" switch.
#include <QAction>
#include <QFileInfo>

#include "update_fixture.h"

namespace ign {
namespace {

using test::UpdateFixture;

struct LinkCase {
  int language;
  const char* item;
  const char* url;
};

class HelpLinks : public UpdateFixture, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(HelpLinks, OpenThePageOfTheLanguage) {
  ::setenv("IGN_WEB_URL", "web.test", 1);
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  Start();
  ChangeLanguage(GetParam().language);
  CatchLinks(true);
  QAction* item = Find<QAction>(GetParam().item);
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
  ASSERT_EQ(catcher_.urls.size(), 1u);
  EXPECT_EQ(catcher_.urls[0].toString().toStdString(), GetParam().url);
  EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Update, HelpLinks,
    ::testing::Values(LinkCase{LNG_ENGLISH, "MenuUpdate", "https://web.test/en/stahnout/upload"},
                      LinkCase{LNG_DEUTSCH, "MenuUpdate", "https://web.test/en/stahnout/upload"},
                      LinkCase{LNG_CESKY, "MenuUpdate", "https://web.test/cz/stahnout/upload"},
                      LinkCase{LNG_ENGLISH, "MenuContens", "https://web.test/en/stahnout/manuals"},
                      LinkCase{LNG_DEUTSCH, "MenuContens", "https://web.test/en/stahnout/manuals"},
                      LinkCase{LNG_CESKY, "MenuContens", "https://web.test/cz/stahnout/manuals"}));

TEST_F(UpdateFixture, ALinkThatCannotBeOpenedShowsTheAddress) {
  ::setenv("IGN_WEB_URL", "https://web.test/", 1);
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  Start();
  // Offscreen, with no handler, the desktop opens nothing.
  Find<QAction>("MenuUpdate")->trigger();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Error by opening www link https://web.test/en/stahnout/upload !");
  ChangeLanguage(LNG_DEUTSCH);
  Find<QAction>("MenuContens")->trigger();
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1].text, "Fehler beim Öffnen des www-Links https://web.test/en/stahnout/manuals !");
}

TEST_F(UpdateFixture, WithoutAWebHostContentsOpensTheShippedGuide) {
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  Start();
  EXPECT_FALSE(Find<QAction>("MenuUpdate")->isEnabled());
  CatchLinks(true);
  QAction* contents = Find<QAction>("MenuContens");
  ASSERT_TRUE(contents->isEnabled());
  EXPECT_EQ(contents->shortcut(), QKeySequence("F1"));
  contents->trigger();
  ASSERT_EQ(catcher_.urls.size(), 1u);
  ASSERT_TRUE(catcher_.urls[0].isLocalFile()) << catcher_.urls[0].toString().toStdString();
  const QFileInfo guide(catcher_.urls[0].toLocalFile());
  EXPECT_TRUE(guide.exists()) << guide.filePath().toStdString();
  EXPECT_EQ(guide.fileName(), "user-guide.html");
}

TEST_F(UpdateFixture, CheckAtStartIsKeptInTheSettings) {
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  Start();
  QAction* atStart = Find<QAction>("MenuUpdateCheck");
  ASSERT_TRUE(atStart->isCheckable());
  EXPECT_TRUE(atStart->isChecked());
  EXPECT_EQ(atStart->text(), "Check for updates at start");
  atStart->trigger();
  EXPECT_NE(ReadSettingsFile("application.ini").find("UPDATECHECK=0\r\n"), std::string::npos);
  ChangeLanguage(LNG_CESKY);
  EXPECT_EQ(atStart->text(), "Kontrolovat aktualizace při startu");
  // The window's own settings writer keeps the key.
  form_->WriteAppSettings();
  form_.reset();
  Start();
  EXPECT_FALSE(Find<QAction>("MenuUpdateCheck")->isChecked());
}

}  // namespace
}  // namespace ign
