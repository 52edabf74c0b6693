#pragma once
// Input into the pages as a user gives it, for both page fixtures.
#include <QLineEdit>
#include <QString>

#include "core/app/undo_ring.h"
#include "ui/pages/controls.h"

namespace ign::test {

// Types text into an up-down as a user would (the text is not taken yet).
inline void TypeInto(TUpDown* u, const QString& text) {
  QLineEdit* edit = u->findChild<QLineEdit*>();
  edit->selectAll();
  edit->insert(text);
  emit edit->textEdited(edit->text());
}

// The undo steps there are, counted by undoing them all.
inline int UndoAll(CUndoRing& undo) {
  int n = 0;
  while (undo.CanUndo() && n < 300) {
    undo.Undo();
    ++n;
  }
  return n;
}

}  // namespace ign::test
