#pragma once
// Stacked time plots of a ride log on one shared time axis: channels are
// dropped onto a plot from the channel list (a channel dropped on another
// plot moves there), the wheel zooms and a drag pans the time, a click sets
// the cursor, a drag with Shift held selects a range. Each redraw gives a
// plot only what its pixel columns can show (the minimum and maximum of
// each column), so a zoom or pan step costs the same for any log length.
// A second log is drawn over the first, dashed, shifted by an offset.
#include <QWidget>
#include <functional>
#include <vector>

#include "core/logs/log_model.h"

class QCustomPlot;
class QCPItemStraightLine;
class QCPItemRect;
class QVBoxLayout;

namespace ign {

// The mime type of a channel dragged from the list: its index as text.
inline constexpr const char* kChannelMime = "application/x-ign-channel";

class TTimePlots : public QWidget {
  Q_OBJECT
 public:
  explicit TTimePlots(QWidget* parent = nullptr);

  void SetLogs(const CLog* first, const CLog* second, double secondOffset);
  void SetPlotCount(int count);
  int PlotCount() const { return int(plots_.size()); }
  QCustomPlot* Plot(int i) const { return plots_[size_t(i)].plot; }
  const std::vector<int>& Channels(int plot) const { return plots_[size_t(plot)].channels; }
  void SetChannels(int plot, std::vector<int> channels);
  // Puts the channel on the plot, taking it off any other plot.
  void MoveChannel(int channel, int plot);
  void RemoveChannel(int plot, int channel);

  void SetView(double t0, double t1);
  double ViewStart() const { return t0_; }
  double ViewEnd() const { return t1_; }
  void SetCursor(double t);
  double Cursor() const { return cursor_; }
  // The selected range; from == to when nothing is selected.
  void SetSelection(double from, double to);
  double SelectionFrom() const { return selFrom_; }
  double SelectionTo() const { return selTo_; }

  // Draws every plot again for the current view (data reduced to the pixel columns).
  void Refresh();
  int RefreshCount() const { return refreshes_; }

 signals:
  void CursorMoved(double t);
  // The cursor set by a click on a plot (not by the program).
  void CursorClicked(double t);
  void SelectionChanged(double from, double to);
  void ViewChanged(double t0, double t1);
  void ChannelsChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct PlotEntry {
    QCustomPlot* plot = nullptr;
    std::vector<int> channels;
    QCPItemStraightLine* cursor = nullptr;
    QCPItemRect* selection = nullptr;
  };
  void Build(PlotEntry& e);
  void FillPlot(PlotEntry& e);
  void Accessible(PlotEntry& e);
  int PlotOf(QObject* object) const;
  double TimeAt(QCustomPlot* plot, int x) const;

  QVBoxLayout* layout_ = nullptr;
  std::vector<PlotEntry> plots_;
  const CLog* log_ = nullptr;
  const CLog* second_ = nullptr;
  double offset_ = 0;
  double t0_ = 0, t1_ = 1;
  double cursor_ = 0;
  double selFrom_ = 0, selTo_ = 0;
  bool syncing_ = false;
  int refreshes_ = 0;
  // A press on a plot: where, and whether it became a drag.
  int pressX_ = -1;
  bool selecting_ = false;
  double selectStart_ = 0;
};

}  // namespace ign
