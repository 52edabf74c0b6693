#pragma once
// Painters of the map editor: pure functions of the model and the view
// state that draw into a QPainter. PaintEditor draws everything in the
// order of the table view: scroll bars, backgrounds, grid, selector strips,
// selection tint, interpolation triangles, live rings, cell texts, header
// texts and labels, then the +/- buttons, the sheet tabs and the toolbar.
#include <QFont>
#include <QPainter>

#include "core/mapedit/model.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

// The font of an axis's texts: size 0 = the canvas font x 1.4 bold, > 0 =
// that size in points bold, < 0 = its magnitude not bold; texts of parts
// the user cannot change are smaller (x 1.2 x 5 / 7).
QFont AxisFont(const QFont& canvas, int32_t fontSize, bool editable);
// The font of the sheet's labels (its title text size, same rule).
QFont LabelFont(const QFont& canvas, int32_t titleTextSize);

// A raised panel: filled, light edge top-left, dark edge bottom-right.
void PaintPanel(QPainter& p, const QRect& r, const QColor& fill, bool pressed = false);

void PaintEditor(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas,
                 bool focused);
// Parts of PaintEditor (frame_painter.cpp).
void PaintScrollBars(QPainter& p, const TabViewState& v);
void PaintSheetTabs(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas);
void PaintToolbar(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas);
void PaintTitleLine(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas);
void PaintViewSwitch(QPainter& p, const CTabModel& model, const TabViewState& v);
// The graph views (graph2d_painter.cpp, switch_painter.cpp, graph3d_painter.cpp).
void PaintGraph2D(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas);
void PaintSwitchMap(QPainter& p, const CTabModel& model, const TabViewState& v);
void PaintGraph3D(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas);

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace ign
