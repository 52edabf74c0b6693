#pragma once
// The display update of the live monitor in the window: the record (from the
// unit or the player) decoded by the core and shown on the panel and the
// pages, the CSV log and the self-test fed, the live point handed to the map
// editors, the stream announced.
#include <QPointer>
#include <map>
#include <string>

#include "core/monitor/live_monitor.h"
#include "core/monitor/local_time.h"
#include "core/params/image.h"

class QWidget;

namespace ign {

class TLivePanel;

// What the display update needs from the window around it.
class ILiveHost {
 public:
  virtual ~ILiveHost() = default;
  // A unit is connected, or a recording is played back.
  virtual bool LiveData() const = 0;
  virtual const Image& EditedImage() const = 0;
  virtual bool DeveloperMode() const = 0;
  // The unit, date and time texts of the unit information.
  virtual void UnitTexts(std::string& unit, std::string& date, std::string& time) const = 0;
  // The time a CSV row carries: now, or the recorded time during playback.
  virtual LocalTime RowTime() const { return LocalNow(); }
  virtual void AnnounceStream(const StreamAnnouncement& stream) = 0;
  // The live point and the load-sensor voltage for the pages and map editors.
  virtual void FeedPages(const LivePoint& live, int loadVoltage) = 0;
  virtual void RefreshPages() = 0;
  // One-shot bits for the next monitor request (byte 20 + index).
  virtual void AddTestBits(int index, uint8_t bits) = 0;
  // The CSV log failed and stopped; message says why.
  virtual void CsvStopped(const std::string& message) = 0;
};

class TLiveDisplay {
 public:
  TLiveDisplay(QWidget& window, TLivePanel& panel, ILiveHost& host);

  // The record the next update shows.
  MonitorRecord& Record() { return monitor_.Record(); }
  // PickUp1: one display update from the record (cleared without data).
  // newRecord: the record has just arrived (from the unit or the player), so
  // the CSV log and the self-test take it; otherwise it is only shown again.
  void Update(bool newRecord = false);
  const MonitorKept& Kept() const { return monitor_.Kept(); }
  const DisplayModel& Last() const { return last_; }
  CCsvLog& Csv() { return monitor_.Csv(); }
  CSelfTest& SelfTest() { return monitor_.SelfTest(); }
  // The self-test's label and memo after its count moved (main timer).
  void ShowSelfTest();

 private:
  // A control of the window by name, looked up once.
  template <typename T>
  T* Control(const QString& name);

  QWidget& window_;
  std::map<QString, QPointer<QObject>> controls_;
  TLivePanel& panel_;
  ILiveHost& host_;
  CLiveMonitor monitor_;
  DisplayModel last_;
  size_t memoLines_ = 0;
  bool updating_ = false;
};

}  // namespace ign
