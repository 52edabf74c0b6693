#pragma once
// The advance maps in their map editor: the two sheets "Advance 1" and
// "Advance 2", loaded from the image and copied back by the page's rule.
// Plain C++ on the editor's model, so the rules are tested without widgets.
#include "core/mapedit/model.h"
#include "core/params/image.h"

namespace ign {

constexpr uint32_t kAdvanceEditorFlags = 113;   // live, table, 2D and 3D views
constexpr uint32_t kAdvanceSheetFlags = 0x701;  // live, base-advance, limiter and start-limiter markers
constexpr int kAdvanceOverlayGroup = 256;

// Adds the two sheets with their axes, colours and comparisons (each the other's).
void BuildAdvanceSheets(CTabModel& model);

// The Y axes by the load sensor (TPSIAP_SENSOR): none collapses each sheet
// to one rpm curve (under the program's control); TPS gives the fixed throttle
// points; IAP the sheet's pressure points, editable up to 999 kPa. With a load
// sensor a sheet is two-dimensional when its mode byte is not 0. Then the rpm
// points, the cells (byte - 100 degrees) and the used columns; each sheet is
// normalised with reset.
void LoadAdvanceSheets(CTabModel& model, const Image& img);

// The mode bytes from the collapse state. Without a load sensor the collapse
// is the program's, not the tuner's choice, and the mode bytes stay.
void StoreAdvanceModes(const CTabModel& model, Image& img);

// An edit of the editor: for each sheet the pressure points (only while the
// load sensor is the pressure sensor), the mode byte, the 15 rpm points, the
// cells + 100 with the columns beyond the used count filled with the row's
// last used cell, and the used column count.
void CopyAdvanceSheets(const CTabModel& model, Image& img);

}  // namespace ign
