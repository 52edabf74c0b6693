// Pixel checks on the rendered editor: the selection tint, the live rings
// and the grey texts of parts the user cannot change.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/ui_mapedit/host.h"
#include "ui/mapedit/palette.h"

namespace ign {
namespace {

using mapedit_palette::WinColour;

QImage Render(test::EditorHost& h) {
  return h.editor->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The corner of a cell away from its text and the selection frame.
QRect Corner(const Rect& cell) { return QRect(cell.left + 5, cell.top + 4, 8, 6); }

int Count(const QImage& image, const QRect& area, const QColor& colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour ? 1 : 0;
  }
  return n;
}

bool Near(const QImage& image, QPoint at, int radius, const QColor& colour) {
  return Count(image, QRect(at - QPoint(radius, radius), QSize(2 * radius + 1, 2 * radius + 1)), colour) > 0;
}

TEST(TabPixelTest, CheckerboardTintOnlyInsideSelectedCells) {
  auto h = test::MakeAdvanceHost();
  test::Move(h->editor, test::CellCentre(*h, 2, 2));
  test::Press(h->editor, test::CellCentre(*h, 2, 2));
  test::Move(h->editor, test::CellCentre(*h, 3, 3), Qt::LeftButton);
  test::Release(h->editor, test::CellCentre(*h, 3, 3));
  test::Move(h->editor, QPoint(5, 440));  // no hover buttons
  const QImage image = Render(*h);
  const QColor tint = WinColour(mapedit_palette::kSelectionTint);
  const QRect selected = Corner(CellRect(h->Layout(), 3, 3));
  EXPECT_EQ(Count(image, selected, tint), selected.width() * selected.height() / 2);
  for (int y = selected.top(); y <= selected.bottom(); ++y) {
    for (int x = selected.left(); x < selected.right(); ++x)
      EXPECT_NE(image.pixelColor(x, y) == tint, image.pixelColor(x + 1, y) == tint) << x << "," << y;
  }
  for (const auto& [c, r] : {std::pair{4, 3}, {1, 2}, {3, 4}, {8, 8}})
    EXPECT_EQ(Count(image, Corner(CellRect(h->Layout(), c, r)), tint), 0) << c << "," << r;
}

TEST(TabPixelTest, LiveRingIsGreenOnTheActiveMapAndYellowOnTheOther) {
  auto h = test::MakeAdvanceHost();
  h->editor->Model().Live().rpm = 3000;
  h->editor->Model().Live().throttle = 40;
  h->editor->Model().Live().status = 0;  // the unit uses map 1
  h->Tick();
  ASSERT_EQ(h->Sheet().liveState, 1);
  const auto ringPoint = [&](const Rect& r) {
    const QRect box = QRect(r.left, r.top, r.Width(), r.Height()).adjusted(3, 3, -4, -4);
    return QPoint(box.center().x(), box.top());
  };
  const Rect header = XHeaderRect(h->Layout(), h->Sheet().liveColumn);
  const Rect cell = CellRect(h->Layout(), h->Sheet().liveColumn, h->Sheet().liveRow);
  QImage image = Render(*h);
  const QColor green = WinColour(mapedit_palette::kLiveActive),
               yellow = WinColour(mapedit_palette::kLiveOther);
  EXPECT_TRUE(Near(image, ringPoint(header), 1, green));
  EXPECT_TRUE(Near(image, ringPoint(cell), 1, green));
  EXPECT_FALSE(Near(image, ringPoint(cell), 3, yellow));
  test::Key(h->editor, Qt::Key_Tab);  // sheet 2 is not the map in use
  h->Tick();
  ASSERT_EQ(h->Sheet().liveState, 2);
  image = Render(*h);
  EXPECT_TRUE(Near(image, ringPoint(cell), 1, yellow));
  EXPECT_FALSE(Near(image, ringPoint(cell), 3, green));
}

// The darkest pixel of a header: grey text stays near 0x80, black goes below.
int Darkest(const QImage& image, const Rect& r) {
  int darkest = 255;
  for (int y = r.top + 2; y < r.bottom - 2; ++y) {
    for (int x = r.left + 2; x < r.right - 2; ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  }
  return darkest;
}

TEST(TabPixelTest, HeadersOfAxesTheUserCannotChangeAreGrey) {
  auto h = test::MakeAdvanceHost();
  test::Move(h->editor, QPoint(5, 440));
  const QImage image = Render(*h);
  const int yHeader = Darkest(image, YHeaderRect(h->Layout(), 4));  // TP: not editable
  const int xHeader = Darkest(image, XHeaderRect(h->Layout(), 4));  // rpm: editable
  EXPECT_GE(yHeader, 0x70);
  EXPECT_LE(yHeader, 0x90);
  EXPECT_LT(xHeader, 0x30);
}

TEST(TabPixelTest, OneRedrawPerRequestAndNoneForAHiddenEditor) {
  auto h = test::MakeAdvanceHost();
  const int before = h->editor->RedrawCount();
  h->Tick(10);  // nothing changed
  EXPECT_EQ(h->editor->RedrawCount(), before);
  h->editor->Model().Live().throttle = 40;
  for (int rpm = 1000; rpm < 6000; rpm += 250) {
    h->editor->Model().Live().rpm = rpm;
    h->Tick();
  }
  EXPECT_LE(h->editor->RedrawCount() - before, 20);
  h->editor->hide();
  const int hidden = h->editor->RedrawCount();
  for (int rpm = 1000; rpm < 6000; rpm += 250) {
    h->editor->Model().Live().rpm = rpm;
    h->Tick();
  }
  EXPECT_EQ(h->editor->RedrawCount(), hidden);
}

}  // namespace
}  // namespace ign
