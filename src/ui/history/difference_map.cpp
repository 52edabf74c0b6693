#include "ui/history/difference_map.h"

#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text/lngstr.h"

namespace ign {

namespace {
constexpr int kHeaderWidth = 72, kCellWidth = 58, kRowHeight = 20;
const QColor kMarkFill(0xFF, 0xD0, 0xF4);
const QColor kMarkFrame(0xE0, 0x20, 0xC0);
QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }
}  // namespace

TMapGrid::TMapGrid(QWidget* parent) : QWidget(parent) { setMinimumHeight(kRowHeight * 3); }

void TMapGrid::Show(MapGrid grid, std::vector<MapPlace> marks) {
  grid_ = std::move(grid);
  marks_ = std::move(marks);
  setAccessibleDescription(Q(grid_.title));
  updateGeometry();
  update();
}

QSize TMapGrid::sizeHint() const {
  return {kHeaderWidth + kCellWidth * int(grid_.columns.size()) + 2,
          kRowHeight * (int(grid_.rows.size()) + 1) + 2};
}

bool TMapGrid::Marked(int column, int row) const {
  return std::any_of(marks_.begin(), marks_.end(),
                     [&](const MapPlace& m) { return m.column == column && m.row == row; });
}

void TMapGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  p.setFont(small);
  const int columns = int(grid_.columns.size());
  auto cell = [&](int column, int row) {  // column -1: the row header, row -1: the column header
    return QRect(column < 0 ? 0 : kHeaderWidth + column * kCellWidth, (row + 1) * kRowHeight,
                 column < 0 ? kHeaderWidth : kCellWidth, kRowHeight);
  };
  auto draw = [&](const QRect& r, const std::string& text, bool header, bool marked) {
    p.fillRect(r, marked ? kMarkFill : header ? palette().button().color() : palette().base().color());
    p.setPen(palette().mid().color());
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (marked) {
      p.setPen(QPen(kMarkFrame, 2));
      p.drawRect(r.adjusted(1, 1, -2, -2));
    }
    p.setPen(palette().text().color());
    p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignCenter, Q(text));
  };
  for (int c = 0; c < columns; ++c) draw(cell(c, -1), grid_.columns[size_t(c)], true, Marked(c, -1));
  for (int r = 0; r < int(grid_.rows.size()); ++r) {
    draw(cell(-1, r), grid_.rows[size_t(r)], true, Marked(-1, r));
    for (int c = 0; c < columns; ++c)
      draw(cell(c, r), grid_.cells[size_t(r * columns + c)], false, Marked(c, r));
  }
}

TDifferenceMap::TDifferenceMap(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  chooser_ = new QComboBox(this);
  chooser_->setObjectName(QStringLiteral("DifferenceMapChooser"));
  grid_ = new TMapGrid(this);
  grid_->setObjectName(QStringLiteral("DifferenceMapTable"));
  layout->addWidget(chooser_);
  layout->addWidget(grid_, 1);
  connect(chooser_, &QComboBox::currentIndexChanged, this, [this](int index) { ShowMap(index); });
  Clear();
}

void TDifferenceMap::Show(const std::vector<DifferenceLine>& lines, const Image& b) {
  lines_ = lines;
  image_ = b;
  maps_ = MapsOf(lines);
  const QSignalBlocker block(chooser_);
  chooser_->clear();
  for (MapKind map : maps_) chooser_->addItem(Q(GridOf(map, b).title));
  chooser_->setEnabled(!maps_.empty());
  chooser_->setAccessibleName(Q(LngStr("###Map with differences##Karte mit Unterschieden##Mapa s rozdíly")));
  ShowMap(maps_.empty() ? -1 : 0);
}

void TDifferenceMap::Clear() { Show({}, Image{}); }

void TDifferenceMap::ShowMap(int index) {
  if (index < 0 || index >= int(maps_.size())) {
    grid_->Show({}, {});
    grid_->setVisible(false);
    return;
  }
  std::vector<MapPlace> marks;
  for (const DifferenceLine& l : lines_)
    if (l.place.map == maps_[size_t(index)]) marks.push_back(l.place);
  grid_->Show(GridOf(maps_[size_t(index)], image_), std::move(marks));
  grid_->setVisible(true);
}

}  // namespace ign
