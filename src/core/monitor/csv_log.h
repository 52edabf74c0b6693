#pragma once
// The CSV log: started and stopped by the user, one line per displayed
// monitor record, flushed after every line. Written in Windows-1250 with line
// feeds only. A file that cannot be created, written or flushed stops the log;
// the caller shows Message() and restores its menu and title.
#include <memory>
#include <string>
#include <string_view>

#include "core/monitor/local_time.h"
#include "core/monitor/record.h"

namespace ign {

// Where the log's bytes go; tests put a failing one in.
class ICsvFile {
 public:
  virtual ~ICsvFile() = default;
  virtual bool Create(const std::string& path) = 0;  // truncates; false and errno when it cannot
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};
std::unique_ptr<ICsvFile> MakeDiskCsvFile();

enum class CsvFailure { None, Create, Write };

class CCsvLog {
 public:
  explicit CCsvLog(std::unique_ptr<ICsvFile> file = MakeDiskCsvFile());

  // Creates the file and writes the two header lines. False: the log did not start.
  bool Start(const std::string& path);
  void Stop();
  // One record line; does nothing unless the log runs. False: the log has
  // stopped on a write or flush error.
  bool WriteCsvRow(const MonitorRecord& r, const LocalTime& time);
  bool WriteCsvRow(const MonitorRecord& r) { return WriteCsvRow(r, LocalNow()); }

  bool Running() const { return running_; }
  const std::string& FileName() const { return path_; }
  CsvFailure Failure() const { return failure_; }
  // What went wrong, in the current language ("" when nothing did).
  std::string Message() const;

 private:
  bool Put(std::string_view utf8);
  void Fail(CsvFailure failure, int error);

  std::unique_ptr<ICsvFile> file_;
  bool running_ = false;
  std::string path_;
  CsvFailure failure_ = CsvFailure::None;
  int errno_ = 0;
};

}  // namespace ign
