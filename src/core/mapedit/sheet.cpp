#include "core/mapedit/sheet.h"

#include <algorithm>

#include "core/text/language.h"
#include "core/text/lngstr.h"

namespace ign {

CSheet::CSheet(int columns, int rows)
    : x(std::clamp(columns, 1, kMaxColumns)), y(std::clamp(rows, 1, kMaxRows)), data(kMaxCells) {
  x.suffixInCells = 1;
  y.suffixInCells = 1;
  data.suffixInCells = 0;
  data.numeric = 1;
  // The data axis has no points of its own: its count stays the cell count.
  data.minCount = 1;
}

int CSheet::UsedColumns() const {
  const int n = std::clamp(x.count, 0, x.capacity);
  return std::min(compactCells ? n + 1 : n, kMaxColumns);
}

int CSheet::UsedRows() const {
  const int n = std::clamp(y.count, 0, y.capacity);
  return std::min(compactCells ? n + 1 : n, kMaxRows);
}

int SheetNameWidth(std::string_view packedName, const std::function<int(std::string_view)>& textWidth) {
  const CPackedText name(std::string(packedName).c_str());
  int widest = 0;
  for (int language = 0; language < kLanguageCount; ++language) {
    widest = std::max(widest, textWidth(name.Resolve(language)));
  }
  return widest + 15;
}

}  // namespace ign
