#pragma once
// Fixed limits and flag words of the map editor's data model.
//
// A map editor holds up to kMaxSheets sheets. Every sheet has a column axis
// (X), a row axis (Y) and a data axis; cell (x, y) of a sheet is element
// y * kRowPitch + x of the data axis's values.
#include <cstddef>
#include <cstdint>

namespace ign {

inline constexpr int kMaxSheets = 8;
inline constexpr int kMaxColumns = 50;  // X axis points
inline constexpr int kMaxRows = 30;     // Y axis points
inline constexpr int kRowPitch = 50;
inline constexpr int kMaxCells = kMaxColumns * kMaxRows;  // 1500
inline constexpr int kMaxMapEditors = 50;                 // per main window

// Text limits in UTF-8 bytes (longer texts are cut at a character boundary).
inline constexpr std::size_t kMaxNameBytes = 255;  // sheet name, axis label
inline constexpr std::size_t kMaxUnitBytes = 63;
inline constexpr std::size_t kMaxSuffixBytes = 15;

inline constexpr int kMaxGridRules = 5;
inline constexpr int kMaxEnumTexts = 8;    // texts per enumeration table
inline constexpr int kEnumTables = 2;      // value / 1000 picks the table
inline constexpr int kMaxTypedChars = 16;  // characters a typed entry accepts

// Sheet flags (CSheet::flags).
namespace SheetFlag {
inline constexpr uint32_t kFollowsLive = 0x1;           // live cell and "actual value" commands
inline constexpr uint32_t kSwapAxes = 0x2;              // graphs draw Y horizontally
inline constexpr uint32_t kCanDisable = 0x8;            // the user may disable and enable the sheet
inline constexpr uint32_t kNoLeadIn = 0x20;             // graphs omit the lead-in step
inline constexpr uint32_t kEndAtLastPoint = 0x80;       // graphs end curves at the last point
inline constexpr uint32_t kBaseAdvanceMarker = 0x100;   // only with the X label "RPM"
inline constexpr uint32_t kLimiterMarker = 0x200;       // only with the X label "RPM"
inline constexpr uint32_t kStartLimiterMarker = 0x400;  // only with the X label "RPM"
inline constexpr uint32_t kFastStepX = 0x1000;          // a held +/- button steps by 10 after a while
inline constexpr uint32_t kFastStepY = 0x2000;
inline constexpr uint32_t kFastStepData = 0x4000;
}  // namespace SheetFlag

// Editor flags (given when the editor is created).
namespace EditorFlag {
inline constexpr uint32_t kShowsLive = 0x1;
inline constexpr uint32_t kTableView = 0x10;
inline constexpr uint32_t kGraph2DView = 0x20;
inline constexpr uint32_t kGraph3DView = 0x40;
inline constexpr uint32_t kSensorPage = 0x100;  // title line for one-sheet editors
inline constexpr uint32_t kCompact = 0x2000;    // small embedded table, (X+1) x (Y+1) cells
}  // namespace EditorFlag

// Views (the view word of the editor).
namespace View {
inline constexpr int kTable = 1;
inline constexpr int kGraph2D = 2;
inline constexpr int kGraph3D = 4;
}  // namespace View

// CAxe::collapsible.
namespace Collapsible {
inline constexpr int kNo = 0;
inline constexpr int kByUser = 1;   // offered as "use only" in the context menu and toolbar
inline constexpr int kByOwner = 2;  // the owner collapses the axis; not offered
}  // namespace Collapsible

// CAxe::preferredIndex values other than a plain index.
namespace Preferred {
inline constexpr int kFirst = -1;
inline constexpr int kLast = -2;
inline constexpr int kMiddle = -3;  // count / 2, truncated
}  // namespace Preferred

// CAxe::lastEdited when no single point has been edited since the last reset.
inline constexpr int kNoEditedPoint = -3;

// Change masks: NotifyChange and the normalisation request.
namespace Change {
inline constexpr unsigned kX = 0x1;
inline constexpr unsigned kY = 0x2;
inline constexpr unsigned kData = 0x4;
inline constexpr unsigned kAll = kX | kY | kData;
inline constexpr unsigned kReset = 0x100;    // normalise X and Y with reset (after loading)
inline constexpr unsigned kMarkers = 0x200;  // a marker changed (base advance, limiters)
}  // namespace Change

}  // namespace ign
