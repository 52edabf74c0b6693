#pragma once
// One map of the later settings as a table, its cells and points that differ
// from the earlier settings marked; a list picks the map among those with
// differences.
#include <QComboBox>
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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Marked(int column, int row) const;
  MapGrid grid_;
  std::vector<MapPlace> marks_;
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
  TMapGrid* grid_;
  std::vector<DifferenceLine> lines_;
  std::vector<MapKind> maps_;
  Image image_{};
};

}  // namespace ign
