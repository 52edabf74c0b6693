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
    // A cell in a row or column the table does not show (a collapsed axis)
    // marks the header of the part that is shown.
    const bool column = m.column >= 0 && ColumnShown(t, m.column);
    const bool row = m.row >= 0 && RowShown(t, m.row);
    Rect r;
    if (column && row)
      r = CellRect(t, m.column, m.row);
    else if (column)
      r = XHeaderRect(t, m.column);
    else if (row)
      r = YHeaderRect(t, m.row);
    else
      continue;
    p.drawRect(ToQRect(r).adjusted(2, 2, -3, -3));
  }
  p.restore();
}

}  // namespace ign
