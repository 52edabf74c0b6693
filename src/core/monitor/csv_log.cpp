#include "core/monitor/csv_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/monitor/csv_columns.h"
#include "core/text/codepage.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

class DiskCsvFile : public ICsvFile {
 public:
  ~DiskCsvFile() override { Close(); }
  bool Create(const std::string& path) override {
    Close();
    f_ = std::fopen(path.c_str(), "wb");
    return f_ != nullptr;
  }
  bool Write(std::string_view bytes) override {
    return f_ && std::fwrite(bytes.data(), 1, bytes.size(), f_) == bytes.size();
  }
  bool Flush() override { return f_ && std::fflush(f_) == 0; }
  bool Close() override {
    if (!f_) return true;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
  }

 private:
  std::FILE* f_ = nullptr;
};

}  // namespace

std::unique_ptr<ICsvFile> MakeDiskCsvFile() { return std::make_unique<DiskCsvFile>(); }

CCsvLog::CCsvLog(std::unique_ptr<ICsvFile> file) : file_(std::move(file)) {}

void CCsvLog::Fail(CsvFailure failure, int error) {
  failure_ = failure;
  errno_ = error;
  running_ = false;
  file_->Close();
}

bool CCsvLog::Start(const std::string& path) {
  if (running_) Stop();
  path_ = path;
  failure_ = CsvFailure::None;
  errno = 0;
  if (!file_->Create(path)) {
    Fail(CsvFailure::Create, errno);
    return false;
  }
  running_ = true;
  return Put(CsvHeaderLines());
}

void CCsvLog::Stop() {
  if (!running_) return;
  running_ = false;
  errno = 0;
  if (!file_->Close()) {
    failure_ = CsvFailure::Write;
    errno_ = errno;
  }
}

bool CCsvLog::Put(std::string_view utf8) {
  errno = 0;
  // Record lines are plain ASCII; only text with other characters needs converting.
  const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; });
  const std::string converted = ascii ? std::string() : Utf8ToCp1250(utf8);
  const std::string_view bytes = ascii ? utf8 : std::string_view(converted);
  if (!file_->Write(bytes) || !file_->Flush()) {
    Fail(CsvFailure::Write, errno);
    return false;
  }
  return true;
}

bool CCsvLog::WriteCsvRow(const MonitorRecord& r, const LocalTime& time) {
  if (!running_) return true;
  return Put(CsvRowText(r, time));
}

std::string CCsvLog::Message() const {
  const char* format = nullptr;
  switch (failure_) {
    case CsvFailure::None: return {};
    case CsvFailure::Create:
      format = LngStr(
          "###The CSV log file cannot be created:\n%s\n(%s)##Die CSV-Protokolldatei kann nicht angelegt "
          "werden:\n%s\n(%s)"
          "##Soubor CSV záznamu nelze vytvořit:\n%s\n(%s)");
      break;
    case CsvFailure::Write:
      format = LngStr(
          "###Writing the CSV log failed; the log has stopped:\n%s\n(%s)##Schreiben des CSV-Protokolls "
          "fehlgeschlagen; "
          "das Protokoll wurde beendet:\n%s\n(%s)##Zápis CSV záznamu selhal; záznam byl ukončen:\n%s\n(%s)");
      break;
  }
  const char* reason = errno_ ? std::strerror(errno_) : "I/O error";
  char buf[1024];
  std::snprintf(buf, sizeof buf, format, path_.c_str(), reason);
  return buf;
}

}  // namespace ign
