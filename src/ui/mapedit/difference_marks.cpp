#include "ui/mapedit/difference_marks.h"

#include "ui/mapedit/table_painter.h"

namespace ign {

namespace {
const QColor kMarkColour(0xE0, 0x20, 0xC0);  // stands apart from the live rings and the selection
}  // namespace

void PaintDifferenceMarks(QPainter& p, const TableLayout& t, int sheetIndex,
                          const std::vector<DifferenceMark>& marks) {
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kMarkColour, 2, Qt::SolidLine));
  for (const DifferenceMark& m : marks) {
    if (m.sheet != sheetIndex) continue;
    Rect r;
    if (m.row < 0 && m.column >= 0 && ColumnShown(t, m.column))
      r = XHeaderRect(t, m.column);
    else if (m.column < 0 && m.row >= 0 && RowShown(t, m.row))
      r = YHeaderRect(t, m.row);
    else if (m.column >= 0 && m.row >= 0 && ColumnShown(t, m.column) && RowShown(t, m.row))
      r = CellRect(t, m.column, m.row);
    else
      continue;
    p.drawRect(ToQRect(r).adjusted(2, 2, -3, -3));
  }
  p.restore();
}

}  // namespace ign
