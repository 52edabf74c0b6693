// TFormPatch alone: texts, hidden buttons, captions by language, results.
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include <gtest/gtest.h>
#include "core/text/language.h"
#include "tests/ui/qt_app.h"
#include "ui/update/form_patch.h"

namespace ign {
namespace {

QPushButton* Button(TFormPatch& d, const char* name) { return d.findChild<QPushButton*>(name); }

UpdateOffer Offer() {
  UpdateOffer o;
  o.number = 7;
  o.text = "Version 109 is out.";
  o.web = "https://example.test/news";
  o.download = "https://example.test/ign_setup.exe";
  return o;
}

TEST(FormPatch, ShowsTheOfferWithItsAddresses) {
  test::App();
  TFormPatch d(nullptr);
  d.Fill(Offer(), LNG_ENGLISH);
  EXPECT_EQ(d.size(), QSize(TFormPatch::kWidth, TFormPatch::kHeight));
  auto* text = d.findChild<QTextEdit*>("RichEditPatch");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->toPlainText(), "Version 109 is out.");
  EXPECT_EQ(text->font().pixelSize(), TFormPatch::kTextPixels);
  const QString addresses = d.findChild<QLabel*>("LabelPatchAddresses")->text();
  EXPECT_TRUE(addresses.contains("https://example.test/news"));
  EXPECT_TRUE(addresses.contains("https://example.test/ign_setup.exe"));
  EXPECT_TRUE(Button(d, "ButtonPatchDownload")->isDefault());
  EXPECT_FALSE(Button(d, "ButtonPatchDownload")->isHidden());
  EXPECT_FALSE(Button(d, "ButtonPatchWWW")->isHidden());
}

TEST(FormPatch, MissingAddressesHideTheirButtons) {
  test::App();
  TFormPatch d(nullptr);
  UpdateOffer o = Offer();
  o.web.clear();
  o.download.clear();
  d.Fill(o, LNG_ENGLISH);
  EXPECT_TRUE(Button(d, "ButtonPatchDownload")->isHidden());
  EXPECT_TRUE(Button(d, "ButtonPatchWWW")->isHidden());
  EXPECT_TRUE(d.findChild<QLabel*>("LabelPatchAddresses")->isHidden());
}

TEST(FormPatch, RichTextIsFormatted) {
  test::App();
  TFormPatch d(nullptr);
  UpdateOffer o = Offer();
  o.text = "{\\rtf1 Nov\\'e1 \\b verze\\b0}";
  o.rtf = true;
  d.Fill(o, LNG_CESKY);
  auto* text = d.findChild<QTextEdit*>("RichEditPatch");
  EXPECT_EQ(text->toPlainText(), "Nová verze");
  QTextCursor c(text->document());
  c.setPosition(6);
  c.setPosition(7, QTextCursor::KeepAnchor);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
}

struct CaptionCase {
  int language;
  const char* title;
  const char* download;
  const char* dismiss;
  const char* later;
};

class FormPatchCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(FormPatchCaptions, FollowTheLanguage) {
  test::App();
  const CaptionCase& c = GetParam();
  TFormPatch d(nullptr);
  d.Fill(Offer(), c.language);
  EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.title));
  EXPECT_EQ(Button(d, "ButtonPatchDownload")->text(), QString::fromUtf8(c.download));
  EXPECT_EQ(Button(d, "ButtonPatchCancel1")->text(), QString::fromUtf8(c.dismiss));
  EXPECT_EQ(Button(d, "ButtonPatchCancel")->text(), QString::fromUtf8(c.later));
  for (const char* name :
       {"ButtonPatchDownload", "ButtonPatchWWW", "ButtonPatchCancel1", "ButtonPatchCancel"})
    EXPECT_EQ(Button(d, name)->accessibleName(), Button(d, name)->text()) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Update, FormPatchCaptions,
    ::testing::Values(CaptionCase{LNG_ENGLISH, "Update", "Download update",
                                  "Cancel (don't remind this update)", "Cancel (remind later)"},
                      CaptionCase{LNG_DEUTSCH, "Update", "Download update",
                                  "Cancel (don't remind this update)", "Cancel (remind later)"},
                      CaptionCase{LNG_CESKY, "Aktualizace", "Stáhni aktualizaci",
                                  "Zpět (nepřipomínej tuto aktualizaci)", "Zpět (připomeň příště)"}));

struct ResultCase {
  const char* button;  // nullptr: the frame's close
  int result;
};

class FormPatchResults : public ::testing::TestWithParam<ResultCase> {};

TEST_P(FormPatchResults, EachWayOutHasItsResult) {
  test::App();
  TFormPatch d(nullptr);
  d.Fill(Offer(), LNG_ENGLISH);
  std::vector<std::string> opened;
  d.openWeb = [&](const std::string& a) { opened.push_back(a); };
  int result = -1;
  QObject::connect(&d, &QDialog::finished, [&](int r) { result = r; });
  d.show();
  if (GetParam().button)
    Button(d, GetParam().button)->click();
  else
    d.close();
  EXPECT_EQ(result, GetParam().result);
  EXPECT_TRUE(opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Update, FormPatchResults,
                         ::testing::Values(ResultCase{"ButtonPatchDownload", 1},
                                           ResultCase{"ButtonPatchCancel", 2},
                                           ResultCase{"ButtonPatchCancel1", 3}, ResultCase{nullptr, 2}));

TEST(FormPatch, WebButtonOpensThePageAndStays) {
  test::App();
  TFormPatch d(nullptr);
  d.Fill(Offer(), LNG_ENGLISH);
  std::vector<std::string> opened;
  d.openWeb = [&](const std::string& a) { opened.push_back(a); };
  d.show();
  Button(d, "ButtonPatchWWW")->click();
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.test/news"});
  EXPECT_TRUE(d.isVisible());
}

}  // namespace
}  // namespace ign
