// Reading pasted texts: plain text (spreadsheets, brace lists, typed
// numbers with digit groups) and the private table with its header.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/normalise.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

enum class FieldMode { kPlain, kBraces, kTable };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A blank before exactly three digits and then a non-digit groups digits.
bool DigitGroupBlank(std::string_view t, std::size_t i) {
  for (std::size_t k = 1; k <= 3; ++k) {
    if (i + k >= t.size() || !IsDigit(t[i + k])) return false;
  }
  return i + 4 >= t.size() || !IsDigit(t[i + 4]);
}

std::optional<double> ReadNumber(const std::string& field) {
  if (field.empty()) return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(field.data(), field.data() + field.size(), value);
  if (r.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Calls each(column, row, value) for every field holding a number. A tab
// (or a comma after a value in brace lists, or a run of blanks after a
// value in plain text) moves to the next column; a line feed (a closing
// brace) to the next row at column 0.
template <typename F>
void ForEachField(std::string_view t, FieldMode mode, F&& each) {
  int column = 0, row = 0;
  std::string field;
  const auto end = [&](bool newRow) {
    if (const std::optional<double> v = ReadNumber(field)) each(column, row, *v);
    field.clear();
    if (newRow) {
      ++row;
      column = 0;
    } else {
      ++column;
    }
  };
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (mode == FieldMode::kBraces) {
      if (c == '}') {
        if (!field.empty() || column > 0) end(true);
      } else if (c == ',') {
        if (!field.empty()) end(false);
      } else if (IsDigit(c) || c == '-' || c == '.') {
        field += c;
      }
      continue;
    }
    if (c == '\t') {
      end(false);
    } else if (c == '\n') {
      end(true);
    } else if (c == ' ') {
      if (mode == FieldMode::kTable || field.empty()) continue;
      if (DigitGroupBlank(t, i)) continue;
      while (i + 1 < t.size() && t[i + 1] == ' ') ++i;
      // Blanks right before a separator only end the field.
      if (i + 1 < t.size() && (t[i + 1] == '\t' || t[i + 1] == '\n' || t[i + 1] == '\r')) continue;
      if (i + 1 >= t.size()) continue;
      end(false);
    } else if (c == ',') {
      field += '.';
    } else if (IsDigit(c) || c == '-' || c == '.') {
      field += c;
    }
  }
  if (!field.empty()) end(false);
}

int32_t ToStored(double value, double scale) {
  const double stored = value / scale;
  const double rounded = stored < 0 ? -std::floor(-stored + 0.5) : std::floor(stored + 0.5);
  constexpr double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(rounded, lo, hi));
}

int32_t DataStored(const CAxe& data, double value) {
  // Thousandths: a stored value beyond five times a positive maximum was typed in the smaller unit.
  const double stored = value / data.scale;
  if (data.maximum > 0 && stored > 5.0 * data.maximum) return ToStored(value / 1000.0, data.scale);
  return ToStored(value, data.scale);
}

// "%i": an optional sign and digits, saturated; anything else reads 0.
long ReadSize(std::string_view v) {
  std::size_t i = 0;
  while (i < v.size() && v[i] == ' ') ++i;
  const bool negative = i < v.size() && v[i] == '-';
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) ++i;
  long n = 0;
  for (; i < v.size() && IsDigit(v[i]); ++i) n = std::min<long>(n * 10 + (v[i] - '0'), 1000000);
  return negative ? -n : n;
}

void ResizeLinked(CTabModel& model, const CSheet& source) {
  if (source.linkedGroup == 0) return;
  for (int n = 0; n < model.SheetCount(); ++n) {
    CSheet& other = model.Sheet(n);
    if (&other == &source || other.linkedGroup != source.linkedGroup) continue;
    other.x.count = std::clamp(source.x.count, other.x.minCount, other.x.capacity);
    other.y.count = std::clamp(source.y.count, other.y.minCount, other.y.capacity);
    other.x.UpdateCollapsedIndex();
    other.y.UpdateCollapsedIndex();
    model.NormaliseSheet(n, Change::kAll);
  }
}

}  // namespace

bool PasteText(CTabModel& model, std::string_view text, int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !s->Usable() || s->sel.Empty()) return false;
  text = text.substr(0, std::min(text.size(), kClipboardTextLimit));
  const int kind = s->sel.kind;
  const bool cells = SelKind::OnCells(kind);
  CAxe& target = kind == SelKind::kXPoints ? s->x : kind == SelKind::kYPoints ? s->y : s->data;
  if (!target.editable || (!cells && kind != SelKind::kXPoints && kind != SelKind::kYPoints)) return false;
  if (target.scale == 0 || !std::isfinite(target.scale)) return false;

  // Columns and rows of the area, as absolute indices by text position.
  const auto span = [](bool collapsed, int collapsedIndex, int begin, int last, int used) {
    std::vector<int> out;
    if (collapsed) {
      if (collapsedIndex >= begin && collapsedIndex <= last && collapsedIndex < used)
        out.push_back(collapsedIndex);
      return out;
    }
    for (int i = std::max(begin, 0); i < used; ++i) out.push_back(i);
    return out;
  };
  std::vector<int> columns{-1}, rows{-1};
  if (cells) {
    columns = span(s->x.collapsed, s->x.collapsedIndex, s->sel.boxX0, s->sel.boxX1, s->UsedColumns());
    rows = span(s->y.collapsed, s->y.collapsedIndex, s->sel.boxY0, s->sel.boxY1, s->UsedRows());
  } else if (kind == SelKind::kXPoints) {
    columns = span(false, 0, s->sel.boxX0, s->x.count - 1, s->x.count);
  } else {
    rows = span(false, 0, s->sel.boxY0, s->y.count - 1, s->y.count);
  }
  if (columns.empty() || rows.empty()) return false;

  std::vector<int> written;  // cell or point indices
  const std::size_t brace = text.find('{');
  const FieldMode mode = brace != std::string_view::npos ? FieldMode::kBraces : FieldMode::kPlain;
  ForEachField(
      mode == FieldMode::kBraces ? text.substr(brace) : text, mode, [&](int column, int row, double v) {
        if (column >= static_cast<int>(columns.size()) || row >= static_cast<int>(rows.size())) return;
        const int c = columns[static_cast<std::size_t>(column)], r = rows[static_cast<std::size_t>(row)];
        const int index = cells ? CSheet::CellIndex(c, r) : (kind == SelKind::kXPoints ? c : r);
        target.values[static_cast<std::size_t>(index)] =
            cells ? DataStored(s->data, v) : ToStored(v, target.scale);
        written.push_back(index);
      });
  if (written.empty()) return false;
  ClearSelection(s->sel);
  for (int index : written) {
    if (cells) s->sel.cellState[static_cast<std::size_t>(index)] |= SelBit::kSelected;
    if (kind == SelKind::kXPoints) s->sel.xState[static_cast<std::size_t>(index)] |= SelBit::kSelected;
    if (kind == SelKind::kYPoints) s->sel.yState[static_cast<std::size_t>(index)] |= SelBit::kSelected;
  }
  s->sel.kind = cells ? SelKind::kCells : kind;
  RecountSelection(*s);
  const unsigned mask = cells ? Change::kData : kind == SelKind::kXPoints ? Change::kX : Change::kY;
  model.NotifyChange(mask, Batch::kReportNow, nowTick);
  return true;
}

PasteTableResult PasteTable(CTabModel& model, std::string_view text, int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !s->Usable()) return PasteTableResult::kNothing;
  text = text.substr(0, std::min(text.size(), kClipboardTextLimit));
  bool mX = false, mY = false, mD = false, wantX = false, wantY = false, ended = false;
  long sizeX = 0, sizeY = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t eol = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, eol - pos);
    if (!line.empty() && line.front() == '\t') {
      ended = true;
      break;
    }
    pos = eol + 1;
    line = line.substr(0, std::min(line.size(), kHeaderLineLimit));
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, tab), value = line.substr(tab + 1);
    if (key == "LabelX:") mX = value == s->x.unit;
    if (key == "LabelY:") mY = value == s->y.unit;
    if (key == "LabelData:") mD = value == s->data.unit;
    if (key == "SizeX:") sizeX = ReadSize(value);
    if (key == "SizeY:") sizeY = ReadSize(value);
    if (key == "OnlyXY:") wantX = value == "X", wantY = value == "Y";
  }
  if (!ended || sizeX == 0 || sizeY == 0 || !(mX || mY || mD)) return PasteTableResult::kNothing;
  const bool xDiffers = sizeX != s->x.count, yDiffers = sizeY != s->y.count;
  if ((xDiffers && !(s->x.editable && s->x.resizable && mX && mD)) ||
      (yDiffers && !(s->y.editable && s->y.resizable && mY && mD))) {
    model.ShowUserMessage(MapText::kPasteSizeMismatch);
    return PasteTableResult::kMismatch;
  }
  unsigned mask = 0;
  if (xDiffers) s->x.count = static_cast<int>(std::clamp<long>(sizeX, s->x.minCount, s->x.capacity));
  if (yDiffers) s->y.count = static_cast<int>(std::clamp<long>(sizeY, s->y.minCount, s->y.capacity));
  if (wantX && s->x.collapsible == Collapsible::kByUser) s->x.collapsed = 1;
  if (wantY && s->y.collapsible == Collapsible::kByUser) s->y.collapsed = 1;
  s->x.UpdateCollapsedIndex();
  s->y.UpdateCollapsedIndex();
  if (xDiffers || yDiffers || wantX || wantY) mask = Change::kAll;
  if (xDiffers || yDiffers) ResizeLinked(model, *s);

  const bool scalesOk = s->x.scale != 0 && s->y.scale != 0 && s->data.scale != 0;
  ForEachField(text.substr(pos), FieldMode::kTable, [&](int column, int row, double v) {
    if (!scalesOk || (column == 0 && row == 0)) return;  // the corner
    if (row == 0) {
      if (!mX || !s->x.editable || column - 1 >= s->x.count) return;
      s->x.values[static_cast<std::size_t>(column - 1)] = ToStored(v, s->x.scale);
      mask |= Change::kX;
    } else if (column == 0) {
      if (!mY || !s->y.editable || row - 1 >= s->y.count) return;
      s->y.values[static_cast<std::size_t>(row - 1)] = ToStored(v, s->y.scale);
      mask |= Change::kY;
    } else if (mD && s->data.editable && s->InCells(column - 1, row - 1)) {
      s->Cell(column - 1, row - 1) = ToStored(v, s->data.scale);
      mask |= Change::kData;
    }
  });
  ClearSelection(s->sel);
  model.NotifyChange(mask, Batch::kReportNow, nowTick);
  return PasteTableResult::kPasted;
}

bool EntryPaste(TypedEntry& e, std::string_view text) {
  if (!e.active) return false;
  std::string clean;
  for (char c : text) {
    if (c == '\t' || c == '\n') break;
    if (c == ',') c = '.';
    if (IsDigit(c) || c == '-' || c == '.' || c == ' ') clean += c;
  }
  const int kept = static_cast<int>(e.text.size()) - (e.selEnd - e.selStart);
  clean.resize(
      std::min<std::size_t>(clean.size(), static_cast<std::size_t>(std::max(0, kMaxTypedChars - kept))));
  if (e.HasHighlight()) {
    e.text.erase(static_cast<std::size_t>(e.selStart), static_cast<std::size_t>(e.selEnd - e.selStart));
    e.caret = e.selStart;
  }
  e.text.insert(static_cast<std::size_t>(e.caret), clean);
  e.caret += static_cast<int>(clean.size());
  e.selStart = e.selEnd = e.anchor = e.caret;
  e.blink = 0;
  return !clean.empty();
}

}  // namespace ign
