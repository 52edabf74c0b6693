#pragma once
// CTabModel: the data of one map editor without its widget: up to eight
// sheets and the active one, the editor flags, the live values and markers,
// and the edit batches through which every change reaches the owner.
//
// Use: construct with the editor flags, AddSheet and DefineAxis for each
// sheet, fill values directly, Normalise(Change::kAll | Change::kReset),
// SelectSheet. Call UpdateLive on every main-timer tick with the tick count;
// time is never read from a clock here. Edits report through NotifyChange,
// which coalesces them into batches and calls the OnSheetChanged callback
// when a batch ends.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/mapedit/batch.h"
#include "core/mapedit/limits.h"
#include "core/mapedit/live.h"
#include "core/mapedit/sheet.h"
#include "core/mapedit/typed_entry.h"

namespace ign {

// The arguments of DefineAxis. Step, counts, collapse, resizing and the
// preferred index apply to X and Y only.
struct AxisDefinition {
  std::string unit;
  std::string suffix;
  int32_t minimum = 0;
  int32_t maximum = 100;
  double scale = 1.0;
  int32_t step = 1;
  std::span<const CAxeGridRule> gridRules;  // up to a terminator or 5 rules
  bool editable = true;
  unsigned options = 0;  // bit 0 numeric (always on for data), bit 1 full range
  int minCount = 1;
  int count = 1;
  int collapsible = Collapsible::kNo;
  bool collapsed = false;
  bool resizable = false;
  int preferredIndex = Preferred::kFirst;
  uint32_t overlayGroup = 0;
  uint32_t colour = 0xFFFFFF;
  uint32_t secondColour = 0;
};

namespace AxisOption {
inline constexpr unsigned kNumeric = 0x1;
inline constexpr unsigned kFullRange = 0x2;
}  // namespace AxisOption

namespace AxisMask {
inline constexpr unsigned kX = 1;
inline constexpr unsigned kY = 2;
inline constexpr unsigned kData = 4;
}  // namespace AxisMask

class CTabModel {
 public:
  // Called when an edit batch ends, with the parts that changed (Change bits).
  using SheetChanged = std::function<void(CTabModel&, unsigned changed)>;
  // Shows a message to the user (already in the current language).
  using MessageSink = std::function<void(const std::string&)>;

  explicit CTabModel(uint32_t editorFlags = 0, int identifier = 0);

  int Identifier() const { return identifier_; }
  uint32_t EditorFlags() const { return editorFlags_; }
  bool Compact() const { return editorFlags_ & EditorFlag::kCompact; }
  bool ShowsLive() const { return editorFlags_ & EditorFlag::kShowsLive; }

  // ---- sheets ----
  // Adds a sheet (counts clamped to 1..50 and 1..30, arrays zeroed, then
  // normalised); the first sheet becomes active. -1 when 8 sheets exist.
  int AddSheet(std::string_view name, std::string_view xLabel, std::string_view yLabel,
               std::string_view dataLabel, int columns, int rows, uint32_t sheetFlags);
  // Applies one definition to each axis named in which (AxisMask bits).
  // An invalid sheet index does nothing.
  void DefineAxis(int sheet, unsigned which, const AxisDefinition& definition);
  // Makes a sheet active (remembering the previous one), recomputes the
  // collapsed indices and refreshes the live cell. Out of range: false.
  bool SelectSheet(int index);

  int SheetCount() const { return static_cast<int>(sheets_.size()); }
  CSheet& Sheet(int index) { return sheets_.at(static_cast<std::size_t>(index)); }
  const CSheet& Sheet(int index) const { return sheets_.at(static_cast<std::size_t>(index)); }
  int ActiveIndex() const { return active_; }
  int PreviousIndex() const { return previous_; }
  CSheet* Active() { return active_ >= 0 ? &sheets_[static_cast<std::size_t>(active_)] : nullptr; }
  const CSheet* Active() const {
    return active_ >= 0 ? &sheets_[static_cast<std::size_t>(active_)] : nullptr;
  }

  // ---- normalisation ----
  // The normalisation request on the active sheet (Change::kX, kY, kData,
  // kReset): markers first (sheets with the X label "RPM"), then X and Y
  // through NormaliseAxis and the data through ClampData.
  void Normalise(unsigned mask);
  void NormaliseSheet(int sheet, unsigned mask);

  // ---- live values, markers and the table window ----
  LiveValues& Live() { return live_; }
  const LiveValues& Live() const { return live_; }
  Markers& MarkerValues() { return markers_; }
  const Markers& MarkerValues() const { return markers_; }
  // The flag shared by all editors of a window: scroll to the live cell.
  // Not owned; nullptr means off.
  void SetAutoscrollFlag(bool* flag) { autoscroll_ = flag; }
  bool* AutoscrollFlag() const { return autoscroll_; }
  bool Autoscroll() const { return autoscroll_ && *autoscroll_; }
  // Columns and rows the table shows at most (15 and 10 unless set).
  void SetMaxVisible(int columns, int rows);
  int MaxVisibleColumns() const { return maxVisibleColumns_; }
  int MaxVisibleRows() const { return maxVisibleRows_; }

  // Recomputes the active sheet's live cell and state; when they changed,
  // scrolls the live cell into view while autoscroll is on. True on change.
  bool RefreshLiveCell();

  // ---- change reports ----
  void SetOnSheetChanged(SheetChanged callback) { onSheetChanged_ = std::move(callback); }
  // Adds mask to the pending change, normalises it, and coalesces batches:
  // a batch with another non-zero identity ends (reported with this change)
  // when this one arrives; the same identity moves the deadline to
  // nowTick + 5; Batch::kReportNow reports at once; kEndGesture closes an
  // open gesture batch.
  void NotifyChange(unsigned mask, BatchId id, int32_t nowTick);
  // Reports a stepping batch whose deadline has come. True when reported.
  bool ReportDue(int32_t nowTick);
  unsigned PendingMask() const { return pendingMask_; }
  BatchId OpenBatch() const { return openBatch_; }

  // ---- tick ----
  // Widget steps run by UpdateLive in their place (any may be empty).
  struct TickHooks {
    std::function<void()> sampleKeys;  // Shift and Ctrl
    std::function<void()> autoRepeat;  // held +/- buttons
    std::function<void()> blinkCaret;
    std::function<void()> refreshToolbar;
    std::function<void()> dragAutoscroll;  // selection dragged outside the table
  };
  struct TickResult {
    bool liveCellChanged = false;
    bool liveRpmChanged = false;  // graph views repaint on it
    bool languageChanged = false;
    bool reported = false;
    bool Repaint() const { return liveCellChanged || languageChanged; }
  };
  // One main-timer tick: counts it; with an active sheet and a shown editor
  // runs sampleKeys, autoRepeat, blinkCaret, the live cell refresh,
  // refreshToolbar, dragAutoscroll and the language check in this order;
  // due batches are reported whether shown or not.
  TickResult UpdateLive(int32_t nowTick, bool shown, const TickHooks& hooks = {});
  int32_t TickCount() const { return tickCount_; }

  // ---- typed entry and messages ----
  // Stores typed text into an X point (row -1), a Y point (column -1) or a
  // cell, reported at once. False when nothing was stored (not editable,
  // outside the counts, not a number). outcome, when given, receives the
  // value typed, what the target holds after the report and its limits.
  bool StoreTypedValue(int column, int row, std::string_view text, int32_t nowTick,
                       TypedOutcome* outcome = nullptr);

  void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
  // Shows a packed text in the current language (through the message box
  // interface when no sink is set).
  void ShowUserMessage(const char* packed) const;

 private:
  void ClampMarkers(const CSheet& sheet);
  void Report();

  uint32_t editorFlags_;
  int identifier_;
  std::vector<CSheet> sheets_;
  int active_ = -1;
  int previous_ = -1;
  LiveValues live_;
  Markers markers_;
  bool* autoscroll_ = nullptr;
  int maxVisibleColumns_ = 15;
  int maxVisibleRows_ = 10;

  unsigned pendingMask_ = 0;
  BatchId openBatch_ = Batch::kReportNow;
  int32_t deadline_ = 0;
  int32_t tickCount_ = 0;
  int lastLanguage_ = -1;

  SheetChanged onSheetChanged_;
  MessageSink messageSink_;
};

}  // namespace ign
