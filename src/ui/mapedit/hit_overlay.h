#pragma once
// Map hit counts over a map editor: each cell of the shown sheet shaded by
// the time the engine spent in it (counted from a ride log by the live-cell
// rule, on the editor's own axes, or accumulated live from the editor's live
// values), the seconds in the cell's hint and in its description for screen
// readers, switched by a button on the toolbar line and by the context menu,
// and the table of counts copied for a spreadsheet.
#include <QElapsedTimer>
#include <QPointer>
#include <memory>
#include <vector>

#include "core/logs/hit_counts.h"
#include "ui/mapedit/tab_overlay.h"

class QToolButton;

namespace ign {

class THitOverlay : public TTabOverlay {
 public:
  // The overlay of an editor, made and set on the first call.
  static THitOverlay& Of(TTab& editor);

  // Counts the log's rows between two times on the editor's current sheets
  // (sensorFallback: the settings' load sensor, for logs without one).
  void CountLog(const CLog& log, double from, double to, int sensorFallback);
  void Clear();
  bool HasCounts() const;
  void SetShown(bool on);
  bool Shown() const { return shown_; }
  // Adds the live values of every tick to the counts.
  void SetLive(bool on);
  bool Live() const { return live_; }
  const CHitCounter* Counter(int sheet) const;
  // The counts of the active sheet as tab-separated text (also put on the clipboard by Copy).
  QString TableText() const;
  void CopyTable() const;
  QToolButton* Button() const { return button_; }

  void Paint(QPainter& painter, const TTab& editor) override;
  QString CellNote(int column, int row) const override;
  void AddMenuActions(QMenu& menu) override;
  void Tick(const TTab& editor) override;

 private:
  explicit THitOverlay(TTab& editor);
  void MakeCounters();
  void Relabel();
  void Changed();

  QPointer<TTab> editor_;
  std::vector<std::unique_ptr<CHitCounter>>
      counters_;  // by sheet; null: the sheet does not follow the live point
  bool shown_ = false, live_ = false;
  QElapsedTimer since_;
  QToolButton* button_ = nullptr;
  int relabelId_ = 0;
};

}  // namespace ign
