#include "fuzz/targets/fuzz_csv_log.h"

#include <string_view>

#include "core/logs/csv_log_reader.h"
#include "core/logs/log_summary.h"
#include "core/logs/plot_data.h"
#include "core/logs/tidy_csv.h"
#include "fuzz/targets/fuzz_check.h"

namespace ign::fuzz {

namespace {

void CheckLog(const CLog& log) {
  for (size_t i = 1; i < log.time.size(); ++i) FUZZ_CHECK(log.time[i] >= log.time[i - 1]);
  for (const LogChannel& c : log.channels) {
    FUZZ_CHECK(c.values.size() == log.time.size());
    FUZZ_CHECK(!c.name.empty());
    for (float v : c.values)
      if (c.kind == ChannelKind::Enumeration && !c.texts.empty() && HasValue(v))
        FUZZ_CHECK(v >= 0 && size_t(v) < c.texts.size());
  }
  for (size_t a = 0; a < log.channels.size(); ++a)
    for (size_t b = a + 1; b < log.channels.size(); ++b)
      FUZZ_CHECK(log.channels[a].name != log.channels[b].name);
}

}  // namespace

int CsvLogReader(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const LogRead r = ParseCsvLog(text);
  FUZZ_CHECK(r.log.has_value() == !r.error);
  if (!r.log) {
    FUZZ_CHECK(!LogErrorMessage("fuzz", r.error).empty());
    if (r.error.fault == LogFault::FieldCount || r.error.fault == LogFault::Number)
      FUZZ_CHECK(r.error.line > 1);
    return 0;
  }
  const CLog& log = *r.log;
  CheckLog(log);
  const double end = log.Duration();
  SummariseLog(log, 0, end, 9000);
  PlotPoints p;
  for (const LogChannel& c : log.channels) {
    ReduceForColumns(log, c.values, 0, end, 7, p);
    FUZZ_CHECK(p.x.size() == p.y.size());
  }
  if (!log.channels.empty()) HistogramOf(log, 0, 0, end, 5);
  // The tidy CSV of an accepted file reads back with its rows.
  const LogRead back = ParseCsvLog(TidyCsv(log, 0, end));
  if (log.Rows() > 0) {
    FUZZ_CHECK(back.log.has_value());
    CheckLog(*back.log);
    FUZZ_CHECK(back.log->Rows() == log.Rows());
    FUZZ_CHECK(back.log->channels.size() == log.channels.size());
  }
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_CSV_LOG_MAIN
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::CsvLogReader(data, size);
}
#endif
