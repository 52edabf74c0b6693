#pragma once
// The ride analysis window: a recording or a CSV log (and a second one laid
// over it) as stacked time plots with a cursor and a range, an X-Y scatter
// coloured by a third channel, a histogram, and the time spent in each cell
// of a map. Files open in the background with a progress bar; the views and
// the selected range export as PNG, PDF and a tidy CSV.
#include <QMainWindow>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/logs/csv_log_reader.h"
#include "core/logs/hit_counts.h"
#include "core/params/image.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace ign {

class TTimePlots;

class TRideAnalysis : public QMainWindow {
  Q_OBJECT
 public:
  explicit TRideAnalysis(QWidget* parent = nullptr);
  ~TRideAnalysis() override;

  // Tests and the host put their own in: a file chooser ("" when cancelled)
  // and where messages go (default: a box).
  std::function<std::string(bool save, const char* filter)> chooseFile;
  std::function<void(const std::string& text)> message;
  // The settings whose maps the hit counts use for a log that carries none.
  std::function<Image()> settingsForHits;

  // Reads a log in the background (second: the one laid over the first).
  void Open(const std::string& path, bool second = false);
  bool Busy() const { return job_ != nullptr; }
  // Waits for a running read (tests, the benchmark).
  void Finish();
  const CLog* Log() const { return log_.get(); }
  const CLog* Second() const { return second_.get(); }
  void SetSecondOffset(double seconds);
  double SecondOffset() const;

  TTimePlots& Plots() { return *plots_; }
  // The selected range, or the whole log when nothing is selected.
  double RangeFrom() const;
  double RangeTo() const;
  // The hit table of the chosen map over the range.
  const HitTable& Hits() const { return hits_; }
  void ShowTab(int index);
  void SetScatter(int x, int y, int colour);
  void SetHistogram(int channel);
  void SetHitMap(HitMap map);

  bool ExportPng(const std::string& path);
  bool ExportPdf(const std::string& path);
  bool ExportCsv(const std::string& path);

 signals:
  // A time clicked on the plots, of a recording (seconds from its first record).
  void TimeClicked(const QString& recording, double seconds);
  // The log or the range changed: counts made from them are out of date.
  void HitSourceChanged();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Job;
  void BuildUi();
  void Relabel();
  void PollJob();
  void Installed(bool second);
  void DefaultPlots();
  void FillChannelList();
  void ShowCursorValues();
  void RefreshScatter();
  void RefreshHistogram();
  void RefreshHits();
  void Say(const std::string& text);
  bool NotWritten(const std::string& path);  // says so; false
  std::string Choose(bool save, const char* filter);
  void CopyHits();

  std::unique_ptr<CLog> log_, second_;
  std::unique_ptr<Job> job_;
  HitTable hits_;
  int relabelId_ = 0;

  QTabWidget* tabs_ = nullptr;
  QLabel* cursorTime_ = nullptr;
  QListWidget* channels_ = nullptr;
  TTimePlots* plots_ = nullptr;
  QSpinBox* plotCount_ = nullptr;
  QDoubleSpinBox* offset_ = nullptr;
  QLabel* offsetLabel_ = nullptr;
  QLabel* info_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QCheckBox* decimalComma_ = nullptr;
  QCustomPlot* scatter_ = nullptr;
  QComboBox* scatterX_ = nullptr;
  QComboBox* scatterY_ = nullptr;
  QComboBox* scatterColour_ = nullptr;
  QCustomPlot* histogram_ = nullptr;
  QComboBox* histogramChannel_ = nullptr;
  QComboBox* hitMap_ = nullptr;
  QTableWidget* hitTable_ = nullptr;
  QLabel* hitTotals_ = nullptr;
  QPushButton* copyHits_ = nullptr;
  QTimer* poll_ = nullptr;
};

}  // namespace ign
