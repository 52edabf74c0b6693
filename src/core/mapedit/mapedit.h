#pragma once
// The map editor's core, without any widget. One header per job:
//
//   limits.h      fixed limits, sheet and editor flags, change masks
//   axe.h         CAxe (an axis or the data descriptor), CAxeGridRule
//   sheet.h       CSheet and its selection TSel
//   selection.h   building and reading selections
//   normalise.h   NormaliseAxis (elastic neighbours), ClampData
//   format.h      FormatValue and the typed-value rule
//   live.h        live values, markers, LiveIndex, the live cell
//   batch.h       identities of edit batches
//   model.h       CTabModel: the sheets of one editor, NotifyChange, UpdateLive
//   commands.h    increment/decrement, Interpolate, insert/delete, use only, enable
//   gesture.h     fill handle and copy-by-dragging arithmetic
//   geometry.h    table layout, rectangles, hit testing, scrolling rules
//   navigation.h  keyboard cursor moves
//   menu.h        context menu and toolbar contents as plain data
//   texts.h       the packed user texts
//   hover.h       fill handle, selection frame, interpolation triangles, +/- buttons
//   scrollbar.h   the parts of the table's scroll bars
//   mouse_select.h selecting with the mouse
//   typed_entry.h editing one value in place
//   graph2d.h     2D graph ranges, plot geometry, positions and their inverse
//   graph2d_edit.h hover, status texts, dragging and selecting in the 2D graph
//   switch_map.h  the compact layout's switch-map regions and boundaries
//   graph3d.h     3D view settings, projection, palette, surface triangles
//   clipboard_text.h clipboard texts: copying and reading pasted text
//
// Everything runs on the GUI thread; the tick count is always passed in.
#include "core/mapedit/axe.h"
#include "core/mapedit/batch.h"
#include "core/mapedit/clipboard_text.h"
#include "core/mapedit/commands.h"
#include "core/mapedit/format.h"
#include "core/mapedit/geometry.h"
#include "core/mapedit/gesture.h"
#include "core/mapedit/graph2d.h"
#include "core/mapedit/graph2d_edit.h"
#include "core/mapedit/graph3d.h"
#include "core/mapedit/hover.h"
#include "core/mapedit/limits.h"
#include "core/mapedit/live.h"
#include "core/mapedit/menu.h"
#include "core/mapedit/model.h"
#include "core/mapedit/mouse_select.h"
#include "core/mapedit/navigation.h"
#include "core/mapedit/normalise.h"
#include "core/mapedit/scrollbar.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/sheet.h"
#include "core/mapedit/switch_map.h"
#include "core/mapedit/texts.h"
#include "core/mapedit/typed_entry.h"
