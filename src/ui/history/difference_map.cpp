#include "ui/history/difference_map.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text/lngstr.h"

namespace ign {

namespace {
constexpr int kRowHeight = 20, kPadding = 12;
const QColor kMarkFill(0xFF, 0xD0, 0xF4);
const QColor kMarkFrame(0xE0, 0x20, 0xC0);
QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }
}  // namespace

TMapGrid::TMapGrid(QWidget* parent) : QWidget(parent) { setMinimumHeight(kRowHeight * 3); }

void TMapGrid::Show(MapGrid grid, std::vector<MapPlace> marks) {
  grid_ = std::move(grid);
  marks_ = std::move(marks);
  // Columns as wide as their widest text, so no value is cut.
  const QFontMetrics m(font());
  headerWidth_ = cellWidth_ = 40;
  for (const std::string& r : grid_.rows)
    headerWidth_ = std::max(headerWidth_, m.horizontalAdvance(Q(r)) + kPadding);
  for (const std::string& c : grid_.columns)
    cellWidth_ = std::max(cellWidth_, m.horizontalAdvance(Q(c)) + kPadding);
  for (const std::string& c : grid_.cells)
    cellWidth_ = std::max(cellWidth_, m.horizontalAdvance(Q(c)) + kPadding);
  resize(sizeHint());
  setAccessibleDescription(Q(grid_.title));
  updateGeometry();
  update();
}

QSize TMapGrid::sizeHint() const {
  return {headerWidth_ + cellWidth_ * int(grid_.columns.size()) + 2,
          kRowHeight * (int(grid_.rows.size()) + 1) + 2};
}

QRect TMapGrid::CellRect(int column, int row) const {
  return QRect(column < 0 ? 0 : headerWidth_ + column * cellWidth_, (row + 1) * kRowHeight,
               column < 0 ? headerWidth_ : cellWidth_, kRowHeight);
}

QRect TMapGrid::FirstMark() const {
  if (marks_.empty()) return {};
  const MapPlace& m = marks_.front();
  return CellRect(m.column, m.row);
}

bool TMapGrid::Marked(int column, int row) const {
  return std::any_of(marks_.begin(), marks_.end(),
                     [&](const MapPlace& m) { return m.column == column && m.row == row; });
}

void TMapGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const int columns = int(grid_.columns.size());
  auto cell = [&](int column, int row) { return CellRect(column, row); };
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
  scroll_ = new QScrollArea(this);
  grid_ = new TMapGrid(scroll_);
  grid_->setObjectName(QStringLiteral("DifferenceMapTable"));
  scroll_->setWidget(grid_);
  scroll_->setWidgetResizable(false);
  layout->addWidget(chooser_);
  layout->addWidget(scroll_, 1);
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
    scroll_->setVisible(false);
    return;
  }
  std::vector<MapPlace> marks;
  for (const DifferenceLine& l : lines_)
    if (l.place.map == maps_[size_t(index)]) marks.push_back(l.place);
  grid_->Show(GridOf(maps_[size_t(index)], image_), std::move(marks));
  scroll_->setVisible(true);
  // The first differing cell in sight.
  const QRect first = grid_->FirstMark();
  if (!first.isNull())
    scroll_->ensureVisible(first.center().x(), first.center().y(), first.width(), first.height());
}

}  // namespace ign
