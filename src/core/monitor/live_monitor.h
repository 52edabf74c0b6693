#pragma once
// The live display's owner in the core: the monitor record, the values kept
// between updates, the CSV log and the self-test. One call per display update
// (a record from the unit or the player, or the refresh without data).
#include <cstdint>
#include <memory>

#include "core/monitor/csv_log.h"
#include "core/monitor/display.h"
#include "core/monitor/selftest.h"

namespace ign {

struct MonitorUpdate {
  DisplayModel model;       // includes LabelSelftest
  bool csvStopped = false;  // the CSV log failed and stopped: show Csv().Message()
  uint8_t testBits = 0;     // one-shot bits the self-test wants in request byte 21
};

class CLiveMonitor {
 public:
  explicit CLiveMonitor(std::unique_ptr<ICsvFile> csvFile = MakeDiskCsvFile()) : csv_(std::move(csvFile)) {}

  MonitorRecord& Record() { return record_; }
  const MonitorRecord& Record() const { return record_; }
  void SetRecord(const uint8_t* record151) {
    std::copy(record151, record151 + kMonitorRecordLen, record_.bytes.begin());
  }

  // The display update. context.record and context.data are set here. The
  // CSV row and the self-test take a record once: newRecord is false when
  // the same record is only shown again (a page refresh).
  MonitorUpdate Show(bool data, DisplayInput context);
  MonitorUpdate Show(bool data, DisplayInput context, const LocalTime& now, bool newRecord = true);

  const MonitorKept& Kept() const { return kept_; }
  CCsvLog& Csv() { return csv_; }
  const CCsvLog& Csv() const { return csv_; }
  CSelfTest& SelfTest() { return selfTest_; }

 private:
  MonitorRecord record_;
  MonitorKept kept_;
  CCsvLog csv_;
  CSelfTest selfTest_;
};

}  // namespace ign
