// A value typed into the map editor that the sheet does not take as typed:
// the cell flashes and the owner is told the range and what was stored.
#include <gtest/gtest.h>

#include <QImage>

#include "core/text/lngstr.h"
#include "tests/ui/qt_app.h"
#include "tests/ui_mapedit/host.h"

namespace ign {
namespace {

using test::Key;
using test::Type;

// Pixels of the flash colour in the editor's drawing.
int FlashPixels(TTab* editor) {
  editor->RedrawNow();
  const QImage image = editor->Bitmap().convertToFormat(QImage::Format_RGB32);
  const QRgb flash = qRgb(255, 200, 80);
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == flash ? 1 : 0;
  return n;
}

class TypedNoteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h = test::MakeAdvanceHost();
    h->editor->SetNoteSink([this](const std::string& packed) { notes.push_back(packed); });
  }
  // The last note in English, empty when there is none.
  std::string LastNote() const { return notes.empty() ? "" : CPackedText(notes.back().c_str()).Resolve(0); }
  void Select(int c, int r) { test::Click(h->editor, test::CellCentre(*h, c, r)); }
  void TypeInto(const char* text) {
    Key(h->editor, Qt::Key_Delete);  // an empty entry; the minus key would step the value
    Type(h->editor, text);
    Key(h->editor, Qt::Key_Return);
  }

  std::unique_ptr<test::EditorHost> h;
  std::vector<std::string> notes;
};

TEST_F(TypedNoteTest, CellTypedOutsideItsLimitsIsClampedFlashedAndTold) {
  struct Case {
    const char* typed;
    int32_t stored;
    const char* note;  // empty: stored as typed, nothing told
  };
  const Case cases[] = {
      {"99", 60, "Advance 1: 99 is outside -30 … 60; set to 60"},
      {"-45", -30, "Advance 1: -45 is outside -30 … 60; set to -30"},
      {"60", 60, ""},
      {"12", 12, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(test::WaitFor([&] { return !h->editor->Flashing(); }, 3000));
    notes.clear();
    Select(2, 2);
    h->Sheet().Cell(2, 2) = 4;
    TypeInto(c.typed);
    EXPECT_EQ(h->Sheet().Cell(2, 2), c.stored);
    EXPECT_EQ(LastNote(), c.note);
    EXPECT_EQ(h->editor->Flashing(), *c.note != 0);
    EXPECT_EQ(FlashPixels(h->editor) > 0, *c.note != 0);
  }
  // The flash ends by itself.
  Select(2, 2);
  TypeInto("75");
  EXPECT_GT(FlashPixels(h->editor), 0);
  EXPECT_TRUE(test::WaitFor([&] { return !h->editor->Flashing(); }, 3000));
  EXPECT_EQ(FlashPixels(h->editor), 0);
}

TEST_F(TypedNoteTest, AxisPointNamesSheetAndAxisInEveryLanguage) {
  Select(14, 0);
  Key(h->editor, Qt::Key_Up);  // the X header of the last column
  TypeInto("30000");
  EXPECT_EQ(h->Sheet().x.values[14], 250);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(LastNote(), "Advance 1, RPM: 30000 is outside 300 … 25 000; set to 25 000");
  EXPECT_EQ(std::string(CPackedText(notes[0].c_str()).Resolve(1)),
            "Vorzündung 1, RPM: 30000 liegt außerhalb 300 … 25 000; auf 25 000 gesetzt");
}

}  // namespace
}  // namespace ign
