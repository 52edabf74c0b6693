#pragma once
// One map of the later settings as a table, its cells and points that differ
// from the earlier settings marked; a list picks the map among those with
// differences.
#include <QComboBox>
#include <QScrollArea>
#include <QWidget>
#include <vector>

#include "core/compare/difference_words.h"

namespace ign {

class TMapGrid : public QWidget {
 public:
  explicit TMapGrid(QWidget* parent = nullptr);
  void Show(MapGrid grid, std::vector<MapPlace> marks);
  const MapGrid& Grid() const { return grid_; }
  QSize sizeHint() const override;
  // Where a cell is drawn (column -1: its row's header, row -1: its column's header).
  QRect CellRect(int column, int row) const;
  // The first marked cell, or an empty rectangle.
  QRect FirstMark() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Marked(int column, int row) const;
  MapGrid grid_;
  std::vector<MapPlace> marks_;
  int headerWidth_ = 40, cellWidth_ = 40;
};

class TDifferenceMap : public QWidget {
 public:
  explicit TDifferenceMap(QWidget* parent = nullptr);
  // The maps of the lines, shown as image b holds them.
  void Show(const std::vector<DifferenceLine>& lines, const Image& b);
  void Clear();
  QComboBox* Chooser() const { return chooser_; }
  TMapGrid* Table() const { return grid_; }

 private:
  void ShowMap(int index);
  QComboBox* chooser_;
  QScrollArea* scroll_;
  TMapGrid* grid_;
  std::vector<DifferenceLine> lines_;
  std::vector<MapKind> maps_;
  Image image_{};
};

}  // namespace ign
