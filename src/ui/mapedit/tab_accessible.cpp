#include "ui/mapedit/tab_accessible.h"

#include "core/mapedit/format.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/map_editor.h"
#include "ui/mapedit/tab_overlay.h"

namespace ign {

namespace {

// One cell or header of the shown sheet, by its shown row and column.
class TTabItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TTabItemAccessible(TTabAccessible* table, int row, int column)
      : table_(table), row_(row), column_(column) {}

  bool isValid() const override {
    return table_->Editor() && row_ < table_->rowCount() && column_ < table_->columnCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_->window(); }
  QAccessibleInterface* parent() const override { return table_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override {
    return row_ < 0 ? QAccessible::ColumnHeader : column_ < 0 ? QAccessible::RowHeader : QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.selectable = row_ >= 0 && column_ >= 0;
    s.selected = isSelected();
    return s;
  }
  QRect rect() const override {
    const CSheet* sheet = Sheet();
    TTab* editor = table_->Editor();
    if (!sheet || !editor) return QRect();
    const TableLayout& t = editor->Layout();
    const int c = sheet->ShownColumnBegin() + column_, r = sheet->ShownRowBegin() + row_;
    const Rect box = row_ < 0 ? XHeaderRect(t, c) : column_ < 0 ? YHeaderRect(t, r) : CellRect(t, c, r);
    return QRect(editor->mapToGlobal(QPoint(box.left, box.top)), QSize(box.Width(), box.Height()));
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description) return OverlayNote();
    if (t != QAccessible::Name && t != QAccessible::Value) return QString();
    const CSheet* sheet = Sheet();
    if (!sheet || !isValid()) return QString();
    const int c = sheet->ShownColumnBegin() + column_, r = sheet->ShownRowBegin() + row_;
    if (row_ < 0) return Format(sheet->x, sheet->x.values[static_cast<std::size_t>(c)], true);
    if (column_ < 0) return Format(sheet->y, sheet->y.values[static_cast<std::size_t>(r)], true);
    return Format(sheet->data, sheet->Cell(c, r), sheet->data.suffixInCells != 0);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                   : nullptr;
  }

  bool isSelected() const override {
    const CSheet* sheet = Sheet();
    if (!sheet || !isValid()) return false;
    const int c = sheet->ShownColumnBegin() + column_, r = sheet->ShownRowBegin() + row_;
    if (row_ < 0)
      return sheet->sel.kind == SelKind::kXPoints &&
             (sheet->sel.xState[static_cast<std::size_t>(c)] & SelBit::kSelected);
    if (column_ < 0)
      return sheet->sel.kind == SelKind::kYPoints &&
             (sheet->sel.yState[static_cast<std::size_t>(r)] & SelBit::kSelected);
    return SelKind::OnCells(sheet->sel.kind) && CellSelected(*sheet, c, r);
  }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (row_ < 0 || column_ < 0) return {};
    return {table_->Item(-1, column_)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    if (row_ < 0 || column_ < 0) return {};
    return {table_->Item(row_, -1)};
  }
  QAccessibleInterface* table() const override { return table_; }

 private:
  static QString Format(const CAxe& axis, int32_t value, bool suffix) {
    return QString::fromStdString(
        FormatValue(value, axis.scale, axis.suffix, suffix && !axis.suffix.empty()));
  }
  // The overlay's note of this cell (the time spent in it).
  QString OverlayNote() const {
    const CSheet* sheet = Sheet();
    TTab* editor = table_->Editor();
    if (!sheet || !editor || !editor->Overlay() || row_ < 0 || column_ < 0) return QString();
    return editor->Overlay()->CellNote(sheet->ShownColumnBegin() + column_, sheet->ShownRowBegin() + row_);
  }
  const CSheet* Sheet() const {
    TTab* editor = table_->Editor();
    return editor ? editor->Model().Active() : nullptr;
  }
  TTabAccessible* table_;
  int row_, column_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* editor = qobject_cast<TTab*>(object)) return new TTabAccessible(editor);
  return nullptr;
}

}  // namespace

TTabAccessible::TTabAccessible(TTab* editor) : QAccessibleWidget(editor, QAccessible::Table) {}

TTabAccessible::~TTabAccessible() { Forget(); }

TTab* TTabAccessible::Editor() const { return qobject_cast<TTab*>(object()); }

void TTabAccessible::Forget() const {
  for (const auto& [key, id] : items_) QAccessible::deleteAccessibleInterface(id);
  items_.clear();
}

void* TTabAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString TTabAccessible::text(QAccessible::Text t) const {
  TTab* editor = Editor();
  const CSheet* sheet = editor ? editor->Model().Active() : nullptr;
  if (t == QAccessible::Name && sheet) return editor->AccessibleNameOf(*sheet);
  if (t == QAccessible::Description && sheet) return QString::fromStdString(Shown(sheet->data.label));
  return QAccessibleWidget::text(t);
}

int TTabAccessible::rowCount() const {
  TTab* editor = Editor();
  const CSheet* sheet = editor ? editor->Model().Active() : nullptr;
  return sheet && sheet->Usable() ? std::min(sheet->ShownRowEnd(), sheet->y.count) - sheet->ShownRowBegin()
                                  : 0;
}

int TTabAccessible::columnCount() const {
  TTab* editor = Editor();
  const CSheet* sheet = editor ? editor->Model().Active() : nullptr;
  return sheet && sheet->Usable()
             ? std::min(sheet->ShownColumnEnd(), sheet->x.count) - sheet->ShownColumnBegin()
             : 0;
}

int TTabAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface* TTabAccessible::child(int index) const {
  const int columns = columnCount();
  if (index < 0 || columns == 0 || index >= childCount()) return nullptr;
  return Item(index / columns, index % columns);
}

int TTabAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (const auto& [key, id] : items_) {
    if (QAccessible::accessibleInterface(id) == child && key.first >= 0 && key.second >= 0)
      return key.first * columnCount() + key.second;
  }
  return -1;
}

QAccessibleInterface* TTabAccessible::childAt(int x, int y) const {
  TTab* editor = Editor();
  if (!editor) return nullptr;
  const QPoint local = editor->mapFromGlobal(QPoint(x, y));
  const Hit hit = HitTest(editor->Layout(), local.x(), local.y());
  if (hit.kind != HitKind::kCell) return nullptr;
  const CSheet* sheet = editor->Model().Active();
  return sheet ? cellAt(hit.row - sheet->ShownRowBegin(), hit.column - sheet->ShownColumnBegin()) : nullptr;
}

QAccessibleInterface* TTabAccessible::Item(int row, int column) const {
  if (row < -1 || column < -1 || row >= rowCount() || column >= columnCount() || (row < 0 && column < 0))
    return nullptr;
  const auto key = std::make_pair(row, column);
  if (auto it = items_.find(key); it != items_.end()) return QAccessible::accessibleInterface(it->second);
  auto* item = new TTabItemAccessible(const_cast<TTabAccessible*>(this), row, column);
  items_[key] = QAccessible::registerAccessibleInterface(item);
  return item;
}

QAccessibleInterface* TTabAccessible::cellAt(int row, int column) const {
  if (row < 0 || column < 0) return nullptr;
  return Item(row, column);
}

QList<QAccessibleInterface*> TTabAccessible::selectedCells() const {
  QList<QAccessibleInterface*> out;
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      QAccessibleInterface* cell = Item(r, c);
      if (cell && cell->state().selected) out.push_back(cell);
    }
  }
  return out;
}

int TTabAccessible::selectedCellCount() const { return static_cast<int>(selectedCells().size()); }

QString TTabAccessible::columnDescription(int column) const {
  QAccessibleInterface* header = Item(-1, column);
  return header ? header->text(QAccessible::Name) : QString();
}

QString TTabAccessible::rowDescription(int row) const {
  QAccessibleInterface* header = Item(row, -1);
  return header ? header->text(QAccessible::Name) : QString();
}

QList<int> TTabAccessible::selectedColumns() const {
  QList<int> out;
  for (int c = 0; c < columnCount(); ++c) {
    if (isColumnSelected(c)) out.push_back(c);
  }
  return out;
}

QList<int> TTabAccessible::selectedRows() const {
  QList<int> out;
  for (int r = 0; r < rowCount(); ++r) {
    if (isRowSelected(r)) out.push_back(r);
  }
  return out;
}

bool TTabAccessible::isColumnSelected(int column) const {
  TTab* editor = Editor();
  const CSheet* sheet = editor ? editor->Model().Active() : nullptr;
  return sheet && column >= 0 && column < columnCount() &&
         ColumnFullySelected(*sheet, sheet->ShownColumnBegin() + column);
}

bool TTabAccessible::isRowSelected(int row) const {
  TTab* editor = Editor();
  const CSheet* sheet = editor ? editor->Model().Active() : nullptr;
  return sheet && row >= 0 && row < rowCount() && RowFullySelected(*sheet, sheet->ShownRowBegin() + row);
}

void TTabAccessible::modelChange(QAccessibleTableModelChangeEvent*) { Forget(); }

void InstallMapEditorAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace ign
