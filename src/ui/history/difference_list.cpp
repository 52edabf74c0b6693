#include "ui/history/difference_list.h"

#include <QHeaderView>

#include "core/text/lngstr.h"

namespace ign {

namespace {
QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }
}  // namespace

TDifferenceList::TDifferenceList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(3);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
  header()->setStretchLastSection(false);
  // A long map-cell caption keeps its start and its cell ("... at 85 kPa /
  // 6,000 rpm") when the column is narrow; the whole line is its hint.
  setTextElideMode(Qt::ElideMiddle);
  ShowNothing(QString());
}

void TDifferenceList::Show(const std::vector<DifferenceLine>& lines, const QString& beforeTitle,
                           const QString& afterTitle) {
  lines_ = lines;
  clear();
  setHeaderLabels({Q(LngStr("###Parameter##Parameter##Parametr")), beforeTitle, afterTitle});
  QTreeWidgetItem* page = nullptr;
  const DifferenceLine* previous = nullptr;
  for (const DifferenceLine& line : lines) {
    if (!previous || previous->page != line.page) {
      page = new QTreeWidgetItem(this, {Q(PageTitle(line.page))});
      QFont bold = page->font(0);
      bold.setBold(true);
      page->setFont(0, bold);
      page->setFirstColumnSpanned(true);
    }
    auto* item = new QTreeWidgetItem(page, {Q(line.caption), Q(line.before), Q(line.after)});
    item->setData(0, Qt::AccessibleTextRole, Q(DifferenceText(line)));
    item->setToolTip(0, Q(DifferenceText(line)));
    previous = &line;
  }
  expandAll();
  for (int c = 1; c < 3; ++c) resizeColumnToContents(c);
  setAccessibleDescription(Q(DifferenceCount(lines.size())));
}

void TDifferenceList::ShowNothing(const QString& why) {
  lines_.clear();
  clear();
  setHeaderLabels({Q(LngStr("###Parameter##Parameter##Parametr")), QString(), QString()});
  if (!why.isEmpty()) new QTreeWidgetItem(this, {why});
  setAccessibleDescription(why);
}

}  // namespace ign
