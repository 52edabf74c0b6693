#pragma once
// The map editors of one main window: at most kMaxMapEditors, and the
// autoscroll flag they share (scroll to the live cell; on at start).
#include <QObject>
#include <QPointer>
#include <vector>

#include "ui/mapedit/map_editor.h"

namespace ign {

class TMapEditorList : public QObject {
 public:
  // The list of a window, created on first use as a child of the window.
  static TMapEditorList& Of(QWidget* window);

  // The living editors, in creation order.
  std::vector<TTab*> Editors() const;
  int Count() const { return static_cast<int>(Editors().size()); }
  bool& Autoscroll() { return autoscroll_; }

  // Appends an editor; false when the window holds kMaxMapEditors.
  bool Add(TTab* editor);

 private:
  explicit TMapEditorList(QWidget* window);
  std::vector<QPointer<TTab>> editors_;
  bool autoscroll_ = true;
};

// Creates a map editor on parent (500 x 200 when a size is 0) at (0, 0)
// with the tab stop, the window's shared autoscroll flag, and registers it
// in the window's list. Null when the window holds 50 editors already.
TTab* CreateMapEditor(int identifier, int width, int height, uint32_t editorFlags, QWidget* parent);

}  // namespace ign
