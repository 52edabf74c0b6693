// The clipboard commands through QClipboard on the advance map editor.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"
#include "tests/ui_mapedit/host.h"
#include "ui/mapedit/clipboard_formats.h"

namespace ign::test {
namespace {

struct ClipboardUi : ::testing::Test {
  std::unique_ptr<EditorHost> h = MakeAdvanceHost();
  const ToolButton* Button(int code) const {
    for (const ToolButton& b : h->editor->ViewState().toolbar.buttons) {
      if (b.code == code) return &b;
    }
    return nullptr;
  }
};

TEST_F(ClipboardUi, CopyTablePutsBothFormatsAndPasteTableFillsTheOtherMap) {
  CSheet& a = h->Sheet();
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) a.Cell(c, r) = (c * 5 + r * 3) % 40 - 10;
  SetValues(a.x, {8, 12, 16, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80});
  h->editor->Model().NormaliseSheet(0, Change::kAll | Change::kReset);
  h->editor->Execute(Cmd::kCopyTable);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasFormat(SheetMimeType()));
  const QByteArray raw = data->data(SheetMimeType());
  // Windows-1250 bytes, zero-terminated: "ř" is 0xF8.
  EXPECT_TRUE(
      raw.startsWith("Label:\t###Advance 1##Vorz\xFCndung 1##P\xF8"
                     "edstih 1\nLabelX:\tRPM\n"));
  EXPECT_EQ(raw.back(), '\0');
  EXPECT_TRUE(data->text().startsWith("\t800\t1 200\t1 600"));
  h->Tick();
  EXPECT_STREQ(Button(Cmd::kPaste)->picture, "CLBRD_PASTSHEET");

  Key(h->editor, Qt::Key_Tab);  // the other map
  ASSERT_EQ(h->editor->Model().ActiveIndex(), 1);
  h->reports.clear();
  h->editor->Execute(Cmd::kPaste);
  const CSheet& b = h->Sheet();
  EXPECT_EQ(Values(b.x), Values(a.x));
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) EXPECT_EQ(b.Cell(c, r), a.Cell(c, r)) << c << "," << r;
  EXPECT_EQ(h->reports.size(), 1u);
}

TEST_F(ClipboardUi, SpreadsheetTextWithTabsAndCrLfPastesIntoTheSelection) {
  QGuiApplication::clipboard()->setText(QStringLiteral("21\t22\r\n23\t24\r\n"));
  h->Tick();
  EXPECT_STREQ(Button(Cmd::kPaste)->picture, "CLBRD_PAST");
  Click(h->editor, CellCentre(*h, 2, 3));
  Key(h->editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(h->Sheet().Cell(2, 3), 21);
  EXPECT_EQ(h->Sheet().Cell(3, 3), 22);
  EXPECT_EQ(h->Sheet().Cell(2, 4), 23);
  EXPECT_EQ(h->Sheet().Cell(3, 4), 24);
  EXPECT_EQ(h->Sheet().sel.selectedCount, 4);
}

TEST_F(ClipboardUi, CopyOfASelectionIsPlainTextOnly) {
  Click(h->editor, CellCentre(*h, 1, 1));
  Key(h->editor, Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  EXPECT_EQ(data->text(), QStringLiteral("2"));
  EXPECT_FALSE(data->hasFormat(SheetMimeType()));
}

TEST_F(ClipboardUi, CopyGraphPutsTheViewAreaOnWhiteAndRestoresTheColour) {
  h->editor->Execute(Cmd::kView2D);
  const Rect area = h->editor->Graph().area;
  h->editor->Execute(Cmd::kCopyGraph);
  const QImage picture = QGuiApplication::clipboard()->image();
  EXPECT_EQ(picture.width(), area.Width());
  EXPECT_EQ(picture.height(), area.Height());
  EXPECT_EQ(picture.pixelColor(1, area.Height() - 2), QColor(Qt::white));
  EXPECT_NE(h->editor->Bitmap().pixelColor(area.left + 1, area.bottom - 2), QColor(Qt::white));
}

TEST_F(ClipboardUi, PasteIntoATypedEntryKeepsOnlyNumberCharacters) {
  QGuiApplication::clipboard()->setText(QStringLiteral("1,5 °\t7"));
  Click(h->editor, CellCentre(*h, 2, 2));
  Key(h->editor, Qt::Key_Delete);  // an empty typed entry
  Key(h->editor, Qt::Key_V, Qt::ControlModifier);
  Key(h->editor, Qt::Key_Return);
  EXPECT_EQ(h->Sheet().Cell(2, 2), 2);  // 1.5 rounded half away from zero
}

}  // namespace
}  // namespace ign::test
