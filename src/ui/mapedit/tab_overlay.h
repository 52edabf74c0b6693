#pragma once
// A layer over a map editor's table: drawn after the editor, a note for the
// cell under the pointer and for screen readers, items of its own in the
// context menu, and a step on every main-timer tick. The editor does not own
// it (it is a child object of the editor, set with TTab::SetOverlay).
#include <QObject>
#include <QString>

class QMenu;
class QPainter;

namespace ign {

class TTab;

class TTabOverlay : public QObject {
 public:
  using QObject::QObject;
  virtual void Paint(QPainter& painter, const TTab& editor) = 0;
  // The note of a cell of the active sheet (sheet indexes); empty: none.
  virtual QString CellNote(int column, int row) const = 0;
  virtual void AddMenuActions(QMenu& menu) = 0;
  virtual void Tick(const TTab& editor) = 0;
};

}  // namespace ign
