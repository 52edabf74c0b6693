#pragma once
// The map editor for screen readers and UI automation: the editor is a
// table (the shown sheet's rows and columns), whose cells carry their shown
// values, with the axis values as row and column headers and the sheet
// name as the table's name. Installed through a factory by
// InstallMapEditorAccessibility (CreateMapEditor calls it).
#include <QAccessibleWidget>
#include <map>

namespace ign {

class TTab;

class TTabAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TTabAccessible(TTab* editor);
  ~TTabAccessible() override;

  // QAccessibleInterface
  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int column) const override;
  bool isRowSelected(int row) const override;
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override;

  TTab* Editor() const;
  // A cell (row, column >= 0), a column header (row -1) or a row header
  // (column -1), created once and kept until the table changes shape.
  QAccessibleInterface* Item(int row, int column) const;

 private:
  void Forget() const;
  mutable std::map<std::pair<int, int>, QAccessible::Id> items_;
};

void InstallMapEditorAccessibility();

}  // namespace ign
