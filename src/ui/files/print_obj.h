#pragma once
// CPrintObj: one change made to a control so that the window prints well,
// with what is needed to put it back.
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include "ui/files/print_kinds.h"

namespace ign {

// A widget's colours as they were: its palette, and whether it had one of
// its own or took its parent's.
struct TSavedColour {
  QPalette palette;
  bool own = false;
};

TSavedColour SaveColour(const QWidget& w);
void RestoreColour(QWidget& w, const TSavedColour& colour);

struct CPrintObj {
  PrintKind type = PrintKind::kNone;  // kNone for the fixed controls
  PrintChange change = PrintChange::kVisibility;
  TSavedColour colour;        // colour changes: the colours to put back
  QPointer<QWidget> control;  // not owned; null when the control went meanwhile
  bool keptRoom = false;      // visibility: the control's own "keep room when hidden"
  int arrows = 0;             // a spin box's arrows (QAbstractSpinBox::ButtonSymbols)
};

}  // namespace ign
