#pragma once
// The differing parameters under their pages: caption, one side's value,
// the other's. One list serves the difference view and the history window.
#include <QTreeWidget>
#include <vector>

#include "core/compare/difference_words.h"

namespace ign {

class TDifferenceList : public QTreeWidget {
 public:
  explicit TDifferenceList(QWidget* parent = nullptr);

  // beforeTitle, afterTitle: what the two value columns hold ("Unit", "Editor").
  void Show(const std::vector<DifferenceLine>& lines, const QString& beforeTitle, const QString& afterTitle);
  // Nothing compared: the list is empty and says why.
  void ShowNothing(const QString& why);
  const std::vector<DifferenceLine>& Lines() const { return lines_; }

 private:
  std::vector<DifferenceLine> lines_;
};

}  // namespace ign
