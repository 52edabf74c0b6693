#pragma once
// The ride analysis beside the main window: the menu item that opens its
// window, log files opened from File > Open or dropped on the main window,
// a click on a recording's time moving the player there, and the hit counts
// of the analysed log shown on the map editors.
#include <QObject>
#include <QPointer>
#include <string>

namespace ign {

class TMainForm;
class TRideAnalysis;

class TAnalysisHost : public QObject {
 public:
  explicit TAnalysisHost(TMainForm& form);
  // The window, made on first use.
  TRideAnalysis& Window();
  bool HasWindow() const;
  // Shows the window and reads the log into it.
  void OpenLog(const std::string& path);
  // The analysed log's hit counts onto every map editor whose sheets follow the live point.
  void CountOnEditors();
  // The player (playing that recording) to the record at a time of the log.
  void MovePlayer(const std::string& recording, double seconds);

 private:
  TMainForm& form_;
  QPointer<TRideAnalysis> window_;
};

// Makes the host (a child of the window) and connects the Tools menu item.
TAnalysisHost& InstallRideAnalysis(TMainForm& form);
TAnalysisHost* RideAnalysisOf(TMainForm& form);
// The open dialog's entry for ride logs.
inline constexpr const char* kRideLogFilter = "Ride logs (*.ignlog *.csv)|*.ignlog *.csv";
// A CSV file: a log for the analysis, not settings.
bool IsCsvLogName(const std::string& path);

}  // namespace ign
