// The help links of the Device and Help menus, the user guide, and the
// "Check for updates at start" switch.
#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>

#include "ui/update/help_window.h"

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
  // Help without a browser: the guide that came with the program opens in its own window.
  ChangeLanguage(LNG_DEUTSCH);
  Find<QAction>("MenuContens")->trigger();
  EXPECT_EQ(messages_.size(), 1u);
  auto* help = form_->findChild<THelpWindow*>("HelpWindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), "Benutzerhandbuch");
  EXPECT_EQ(help->Browser()->source().fileName(), "user-guide.html");
}

TEST_F(UpdateFixture, WithoutAWebHostContentsOpensTheShippedGuideInItsOwnWindow) {
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  Start();
  EXPECT_FALSE(Find<QAction>("MenuUpdate")->isEnabled());
  CatchLinks(true);
  QAction* contents = Find<QAction>("MenuContens");
  ASSERT_TRUE(contents->isEnabled());
  EXPECT_EQ(contents->shortcut(), QKeySequence("F1"));
  contents->trigger();
  EXPECT_TRUE(catcher_.urls.empty());  // nothing handed to a browser
  EXPECT_TRUE(messages_.empty());
  auto* help = form_->findChild<THelpWindow*>("HelpWindow");
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(help->isVisible());
  const QFileInfo guide(help->Browser()->source().toLocalFile());
  EXPECT_TRUE(guide.exists()) << guide.filePath().toStdString();
  EXPECT_EQ(guide.fileName(), "user-guide.html");
  EXPECT_TRUE(help->Browser()->toPlainText().contains("Read"))
      << help->Browser()->toPlainText().left(200).toStdString();

  // Its pictures come from beside it.
  EXPECT_FALSE(help->Browser()
                   ->loadResource(QTextDocument::ImageResource, QUrl("screenshots/main-read.png"))
                   .isNull());

  // A web link of the guide goes to the browser; the guide stays where it was.
  emit help->Browser()->anchorClicked(QUrl("https://example.test/page"));
  ASSERT_EQ(catcher_.urls.size(), 1u);
  EXPECT_EQ(catcher_.urls[0].toString(), "https://example.test/page");
  EXPECT_EQ(help->Browser()->source().fileName(), "user-guide.html");

  // A second F1 raises the same window.
  contents->trigger();
  EXPECT_EQ(form_->findChildren<THelpWindow*>("HelpWindow").size(), 1);
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
