// Building the clipboard texts of a selection and of a whole table.
#include <algorithm>
#include <vector>

#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/format.h"
#include "core/mapedit/selection.h"

namespace ign {

namespace {

std::string AxisValue(const CAxe& axis, int index) {
  const int32_t v = axis.values[static_cast<std::size_t>(index)];
  if (axis.IsEnumerated()) return axis.EnumerationText(v).value_or(std::string());
  return FormatValue(v, axis.scale);
}

std::string CellValue(const CSheet& s, int column, int row) {
  return FormatValue(s.Cell(column, row), s.data.scale);
}

std::string Finish(std::string text, bool commaDecimal) {
  if (commaDecimal) std::replace(text.begin(), text.end(), '.', ',');
  return CutText(text, kClipboardTextLimit);
}

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

// Cell rows and columns a text holds: the collapsed index alone, else all used.
std::vector<int> Lines(bool collapsed, int collapsedIndex, int used) {
  std::vector<int> out;
  if (collapsed) {
    if (collapsedIndex >= 0 && collapsedIndex < used) out.push_back(collapsedIndex);
    return out;
  }
  for (int i = 0; i < used; ++i) out.push_back(i);
  return out;
}

}  // namespace

std::string SelectionText(const CSheet& s, bool commaDecimal) {
  const TSel& sel = s.sel;
  if (sel.Empty()) return {};
  std::vector<std::string> lines;
  if (sel.kind == SelKind::kXPoints) {
    std::vector<std::string> fields;
    for (int c = std::max(sel.boxX0, 0); c <= sel.boxX1 && c < s.x.count; ++c)
      fields.push_back(sel.xState[static_cast<std::size_t>(c)] & SelBit::kSelected ? AxisValue(s.x, c) : "");
    lines.push_back(Join(fields, '\t'));
  } else if (sel.kind == SelKind::kYPoints) {
    for (int r = std::max(sel.boxY0, 0); r <= sel.boxY1 && r < s.y.count; ++r)
      lines.push_back(sel.yState[static_cast<std::size_t>(r)] & SelBit::kSelected ? AxisValue(s.y, r) : "");
  } else if (SelKind::OnCells(sel.kind)) {
    for (int r = std::max(sel.boxY0, 0); r <= sel.boxY1 && r < s.UsedRows(); ++r) {
      if (s.y.collapsed && r != s.y.collapsedIndex) continue;
      std::vector<std::string> fields;
      for (int c = std::max(sel.boxX0, 0); c <= sel.boxX1 && c < s.UsedColumns(); ++c) {
        if (s.x.collapsed && c != s.x.collapsedIndex) continue;
        fields.push_back(CellSelected(s, c, r) ? CellValue(s, c, r) : "");
      }
      lines.push_back(Join(fields, '\t'));
    }
  }
  return Finish(Join(lines, '\n'), commaDecimal);
}

std::string TablePlainText(const CSheet& s, bool commaDecimal) {
  const bool xc = s.x.collapsed != 0, yc = s.y.collapsed != 0;
  std::vector<std::string> lines;
  if (!xc) {
    std::vector<std::string> fields;
    for (int c = 0; c < s.x.count; ++c) fields.push_back(AxisValue(s.x, c));
    lines.push_back((yc ? "" : "\t") + Join(fields, '\t'));
  }
  for (int r : Lines(yc, s.y.collapsedIndex, s.UsedRows())) {
    std::vector<std::string> fields;
    if (!yc) fields.push_back(r < s.y.count ? AxisValue(s.y, r) : "");
    for (int c : Lines(xc, s.x.collapsedIndex, s.UsedColumns())) fields.push_back(CellValue(s, c, r));
    lines.push_back(Join(fields, '\t'));
  }
  return Finish(Join(lines, '\n'), commaDecimal);
}

std::string TablePrivateText(const CSheet& s, bool commaDecimal) {
  std::string text;
  text += "Label:\t" + s.name + "\n";
  text += "LabelX:\t" + s.x.unit + "\n";
  text += "LabelY:\t" + s.y.unit + "\n";
  text += "LabelData:\t" + s.data.unit + "\n";
  text += "SizeX:\t" + std::to_string(s.x.count) + "\n";
  text += "SizeY:\t" + std::to_string(s.y.count) + "\n";
  text += std::string("OnlyXY:\t") + (s.x.collapsed ? "X" : s.y.collapsed ? "Y" : "") + "\n";
  std::vector<std::string> lines;
  std::vector<std::string> xs;
  for (int c = 0; c < s.x.count; ++c) xs.push_back(AxisValue(s.x, c));
  lines.push_back("\t" + Join(xs, '\t'));
  for (int r = 0; r < s.UsedRows(); ++r) {
    std::vector<std::string> fields{r < s.y.count ? AxisValue(s.y, r) : ""};
    for (int c = 0; c < s.UsedColumns(); ++c) fields.push_back(CellValue(s, c, r));
    lines.push_back(Join(fields, '\t'));
  }
  return Finish(text + Join(lines, '\n'), commaDecimal);
}

}  // namespace ign
