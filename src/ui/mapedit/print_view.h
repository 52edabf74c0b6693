#pragma once
// The map editor on paper: the model and view state as the screen has them,
// less what belongs to the screen alone (live rings, the live line and
// point, hover and +/- buttons, the caret and typed entry, the selection,
// gestures, the +/- step mark).
#include <QFont>
#include <QPainter>

#include "core/mapedit/model.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

struct PrintedView {
  CTabModel model;
  TabViewState view;
};

PrintedView PrintedViewOf(const CTabModel& model, const TabViewState& view);

// Paints the printed view onto p (texts stay texts on a printer).
void PaintPrinted(QPainter& p, const CTabModel& model, const TabViewState& view, const QFont& canvas);

}  // namespace ign
