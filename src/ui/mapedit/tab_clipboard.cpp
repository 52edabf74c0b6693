// The clipboard commands of the map editor: Copy, Copy table, Copy graph
// and Paste. The texts are built and read in the core (clipboard_text.h).
#include <QClipboard>
#include <QGuiApplication>

#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "ui/mapedit/clipboard_formats.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {

bool CommaDecimal() { return CurrentLanguage() == LNG_CESKY; }

}  // namespace

void TTab::CopySelection() {
  const CSheet* sheet = model_.Active();
  if (!sheet) return;
  if (v_.entry.active) {
    if (v_.entry.HasHighlight()) PutOnClipboard(v_.entry.Highlighted());
    return;
  }
  const std::string text = SelectionText(*sheet, CommaDecimal());
  if (!text.empty()) PutOnClipboard(text);
}

void TTab::CopyTable(int sheetIndex) {
  if (sheetIndex < 0) sheetIndex = model_.ActiveIndex();
  if (sheetIndex < 0 || sheetIndex >= model_.SheetCount()) return;
  const CSheet& sheet = model_.Sheet(sheetIndex);
  PutOnClipboard(TablePlainText(sheet, CommaDecimal()), TablePrivateText(sheet, CommaDecimal()));
}

Rect TTab::GraphViewArea() const {
  if (v_.view == View::kGraph3D)
    return Rect{v_.layout.leftMargin, v_.frame.viewTop, width() - v_.layout.rightMargin,
                height() - v_.layout.bottomMargin};
  return v_.graph.area;
}

void TTab::CopyGraph() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const Rect area = GraphViewArea();
  if (!clipboard || area.Empty()) return;
  v_.graph.white = true;
  RedrawNow();
  const qreal ratio = bitmap_.devicePixelRatio();
  QImage picture = bitmap_.copy(
      QRect(QPoint(static_cast<int>(area.left * ratio), static_cast<int>(area.top * ratio)),
            QSize(static_cast<int>(area.Width() * ratio), static_cast<int>(area.Height() * ratio))));
  picture.setDevicePixelRatio(ratio);
  v_.graph.white = false;
  RequestRepaint();
  Flush();
  clipboard->setImage(picture);
}

void TTab::PasteFromClipboard(int sheetIndex) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  std::string text;
  if (ReadSheetFromClipboard(text)) {
    const int active = model_.ActiveIndex();
    const bool other = sheetIndex >= 0 && sheetIndex != active && sheetIndex < model_.SheetCount();
    if (other) model_.SelectSheet(sheetIndex);
    PasteTable(model_, text, nowTick_);
    if (other) model_.SelectSheet(active);
    v_.hover = Hover{};
    UpdateTabStop();
    RequestRelayout();
  } else if (ReadTextFromClipboard(text)) {
    if (v_.entry.active) {
      EntryPaste(v_.entry, text);
      ComputeEntryBoundaries();
    } else if (PasteText(model_, text, nowTick_)) {
      UpdateTabStop();
    }
    RequestRepaint();
  }
}

}  // namespace ign
