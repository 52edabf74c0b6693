#include "core/logs/csv_log_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/logs/csv_fields.h"
#include "core/logs/own_columns.h"
#include "core/logs/text_names.h"
#include "core/text/codepage.h"

namespace ign {

namespace {

constexpr size_t kBlock = 1 << 20;
constexpr size_t kLongestLine = 16u << 20;
constexpr size_t kMostTexts = 1000;
constexpr size_t kMostChannels = 2000;
constexpr double kHalfDay = 43200.0;

struct Column {
  int channel = -1;  // in the log
  bool text = false;
  bool seen = false;  // a value was read
  bool zeroOne = true;
  std::unordered_map<std::string, int> codes;
};

class CsvLogParser {
 public:
  CsvLogParser(const CsvReadOptions& options, uint64_t total) : options_(options), total_(total) {}

  bool Line(std::string_view line);
  LogRead Finish();
  bool Fail(LogFault fault, int column, std::string detail) {
    error_ = {fault, line_, column, std::move(detail)};
    return false;
  }
  long LineNumber() const { return line_; }

 private:
  bool Header(std::string_view line);
  bool Second(std::string_view line);
  bool Start(std::string_view firstData);
  bool Data(std::string_view line);
  bool Time(std::string_view field);
  bool Value(size_t field, std::string_view text);
  std::string Text(std::string_view bytes) const {
    const std::string text = UnquotedText(bytes);
    return own_ ? Cp1250ToUtf8(text) : TextToUtf8(text);
  }

  const CsvReadOptions& options_;
  uint64_t total_;
  long line_ = 0;
  enum class Stage { Header, Second, Data } stage_ = Stage::Header;
  CsvDialect d_;
  bool own_ = false;
  bool units_ = false;  // a line of units was read
  std::vector<std::string> names_, unitTexts_;
  size_t fieldCount_ = 0;  // fields of the header without a trailing empty one
  int timeField_ = 0;
  enum class TimeMode { Unknown, Seconds, Clock } timeMode_ = TimeMode::Unknown;
  double firstTime_ = 0, lastTime_ = 0, dayOffset_ = 0;
  std::vector<Column> columns_;
  std::vector<std::string_view> fields_;
  CLog log_;
  LogError error_;
};

bool CsvLogParser::Line(std::string_view line) {
  ++line_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.find('\0') != std::string_view::npos) return Fail(LogFault::NotText, 0, {});
  switch (stage_) {
    case Stage::Header: return Header(line);
    case Stage::Second: return Second(line);
    case Stage::Data: return Data(line);
  }
  return true;
}

bool CsvLogParser::Header(std::string_view line) {
  if (line_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  if (TrimField(line).empty()) return true;  // blank lines before the header
  d_ = GuessCsvDialect(line, {});
  SplitCsvLine(line, d_.separator, fields_);
  fieldCount_ = fields_.size();
  if (fieldCount_ > 1 && TrimField(fields_.back()).empty()) --fieldCount_;  // a separator after the last name
  if (fieldCount_ > kMostChannels)
    return Fail(LogFault::TooLarge, 0, std::to_string(fieldCount_) + " columns");
  own_ = IsOwnCsvHeader(fields_, fieldCount_);
  for (size_t i = 0; i < fieldCount_; ++i) names_.emplace_back(TrimField(fields_[i]));
  stage_ = Stage::Second;
  return true;
}

bool CsvLogParser::Second(std::string_view line) {
  if (TrimField(line).empty()) return true;
  SplitCsvLine(line, d_.separator, fields_);
  // The time column: asked for by name, or the first one named like a time.
  std::vector<std::string> plain(names_.size());
  for (size_t i = 0; i < names_.size(); ++i) plain[i] = SplitNameAndUnit(Text(names_[i])).first;
  timeField_ = -1;
  if (!options_.timeColumn.empty()) {
    for (size_t i = 0; i < plain.size() && timeField_ < 0; ++i)
      if (plain[i] == options_.timeColumn || Text(names_[i]) == options_.timeColumn) timeField_ = int(i);
    if (timeField_ < 0) return Fail(LogFault::NoTime, 0, options_.timeColumn);
  } else {
    for (size_t i = 0; i < plain.size() && timeField_ < 0; ++i)
      if (LooksLikeTimeName(plain[i])) timeField_ = int(i);
    if (timeField_ < 0) timeField_ = 0;
  }
  // A line of units: the time field holds no time ("ms" in the program's log).
  const std::string_view t =
      size_t(timeField_) < fields_.size() ? TrimField(fields_[size_t(timeField_)]) : "";
  double v = 0;
  const bool time = ParseClockTime(t, v) || ParseCsvNumber(t, '.', v) || ParseCsvNumber(t, ',', v);
  if (!time) {
    units_ = true;
    for (size_t i = 0; i < fieldCount_; ++i)
      unitTexts_.push_back(i < fields_.size() ? Text(TrimField(fields_[i])) : std::string());
    return true;
  }
  return Start(line);
}

bool CsvLogParser::Start(std::string_view firstData) {
  if (!own_) d_.decimal = GuessCsvDialect(std::string_view(&d_.separator, 1), firstData).decimal;
  columns_.resize(fieldCount_);
  if (own_) {
    AddOwnChannels(log_);
    for (size_t i = 1; i < fieldCount_; ++i) columns_[i].channel = int(i - 1);
    log_.format = "CSV log";
  } else {
    for (size_t i = 0; i < fieldCount_; ++i) {
      if (int(i) == timeField_) continue;
      auto [name, unit] = SplitNameAndUnit(Text(names_[i]));
      if (units_) unit = unitTexts_[i];
      columns_[i].channel = int(log_.channels.size());
      log_.AddChannel(name, unit, ChannelKind::Number, RoleOfName(name));
    }
    log_.format = "CSV";
  }
  if (total_ > 0) {
    const uint64_t rows = std::min<uint64_t>(total_ / (firstData.size() + 1) + 16, uint64_t(1) << 26);
    const size_t reserve = size_t(rows + rows / 8);
    log_.time.reserve(reserve);
    for (LogChannel& c : log_.channels) c.values.reserve(reserve);
  }
  stage_ = Stage::Data;
  return Data(firstData);
}

bool CsvLogParser::Data(std::string_view line) {
  if (TrimField(line).empty()) return true;
  SplitCsvLine(line, d_.separator, fields_);
  size_t n = fields_.size();
  if (n == fieldCount_ + 1 && TrimField(fields_.back()).empty()) --n;
  if (n != fieldCount_)
    return Fail(LogFault::FieldCount, int(std::min(n, fieldCount_) + 1),
                std::to_string(n) + " / " + std::to_string(fieldCount_));
  if (!Time(fields_[size_t(timeField_)])) return false;
  for (size_t i = 0; i < n; ++i) {
    if (columns_[i].channel < 0) continue;
    if (!Value(i, TrimField(fields_[i]))) return false;
  }
  return true;
}

bool CsvLogParser::Time(std::string_view field) {
  const std::string_view f = TrimField(field);
  double t = 0;
  if (timeMode_ == TimeMode::Unknown) {
    if (ParseClockTime(f, t)) {
      timeMode_ = TimeMode::Clock;
      log_.startOfDay = t;
    } else if (ParseCsvNumber(f, d_.decimal, t)) {
      timeMode_ = TimeMode::Seconds;
    } else {
      return Fail(LogFault::Time, timeField_ + 1, std::string(f));
    }
    firstTime_ = lastTime_ = t;
  } else {
    const bool ok = timeMode_ == TimeMode::Clock ? ParseClockTime(f, t) : ParseCsvNumber(f, d_.decimal, t);
    if (!ok) return Fail(LogFault::Time, timeField_ + 1, std::string(f));
    if (timeMode_ == TimeMode::Clock) {
      t += dayOffset_;
      if (t < lastTime_ - kHalfDay) {  // past midnight
        dayOffset_ += 86400.0;
        t += 86400.0;
      }
    }
    if (t < lastTime_) return Fail(LogFault::Time, timeField_ + 1, std::string(f));
    lastTime_ = t;
  }
  log_.time.push_back(t - firstTime_);
  return true;
}

bool CsvLogParser::Value(size_t field, std::string_view text) {
  Column& c = columns_[field];
  std::vector<float>& values = log_.channels[size_t(c.channel)].values;
  if (text.empty()) {
    values.push_back(kNoValue);
    return true;
  }
  double v = 0;
  if (!c.text) {
    bool ok = false;
    if (own_ && field == 1 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      char* end = nullptr;
      const std::string hex(text.substr(2));
      v = double(std::strtoul(hex.c_str(), &end, 16));
      ok = end && *end == 0 && !hex.empty();
    } else {
      ok = ParseCsvNumber(text, d_.decimal, v);
    }
    if (ok) {
      // Beyond what a channel holds (about 3.4e38): no reading of a ride.
      if (!std::isfinite(float(v))) return Fail(LogFault::Number, int(field) + 1, std::string(text));
      c.seen = true;
      if (v != 0 && v != 1) c.zeroOne = false;
      values.push_back(own_ ? OwnValueOfCsv(v, int(field) - 1) : float(v));
      return true;
    }
    // Only a column of the general kind whose first value is a text holds texts.
    if (own_ || c.seen) return Fail(LogFault::Number, int(field) + 1, std::string(text));
    c.text = true;
    LogChannel& ch = log_.channels[size_t(c.channel)];
    ch.kind = ChannelKind::Enumeration;
  }
  std::string key = Text(text);
  auto it = c.codes.find(key);
  if (it == c.codes.end()) {
    if (c.codes.size() >= kMostTexts) return Fail(LogFault::Texts, int(field) + 1, key);
    LogChannel& ch = log_.channels[size_t(c.channel)];
    it = c.codes.emplace(key, int(ch.texts.size())).first;
    ch.texts.push_back(std::move(key));
  }
  values.push_back(float(it->second));
  return true;
}

LogRead CsvLogParser::Finish() {
  LogRead r;
  if (error_) {
    r.error = error_;
    return r;
  }
  if (stage_ == Stage::Header) {
    r.error = {LogFault::Empty, 0, 0, {}};
    return r;
  }
  if (stage_ != Stage::Data || log_.channels.empty()) {  // nothing a plot or a count could show
    r.error = {LogFault::NoData, 0, 0, {}};
    return r;
  }
  if (!own_) {
    for (const Column& c : columns_)
      if (c.channel >= 0 && !c.text && c.seen && c.zeroOne)
        log_.channels[size_t(c.channel)].kind = ChannelKind::Flag;
  }
  if (log_.format.empty()) log_.format = own_ ? "CSV log" : "CSV";
  r.log = std::move(log_);
  return r;
}

// Feeds the lines of a byte stream to the parser, block by block.
class LineFeeder {
 public:
  explicit LineFeeder(CsvLogParser& parser) : parser_(parser) {}
  // Takes a block; false when the parser failed.
  bool Feed(std::string_view block) {
    pending_.append(block);
    size_t start = 0;
    while (true) {
      const size_t nl = pending_.find('\n', start);
      if (nl == std::string::npos) break;
      if (!parser_.Line(std::string_view(pending_).substr(start, nl - start))) return false;
      start = nl + 1;
    }
    pending_.erase(0, start);
    if (pending_.size() > kLongestLine) return parser_.Fail(LogFault::NotText, 0, "line too long");
    return true;
  }
  bool End() { return pending_.empty() || parser_.Line(pending_); }

 private:
  CsvLogParser& parser_;
  std::string pending_;
};

}  // namespace

LogRead ParseCsvLog(std::string_view bytes, const CsvReadOptions& options) {
  CsvLogParser parser(options, bytes.size());
  LineFeeder feeder(parser);
  for (size_t at = 0; at < bytes.size(); at += kBlock) {
    if (!feeder.Feed(bytes.substr(at, kBlock))) return parser.Finish();
    if (options.progress && !options.progress(std::min<uint64_t>(at + kBlock, bytes.size()), bytes.size())) {
      parser.Fail(LogFault::Cancelled, 0, {});
      return parser.Finish();
    }
  }
  feeder.End();
  return parser.Finish();
}

LogRead ReadCsvLog(const std::string& path, const CsvReadOptions& options) {
  LogRead r;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) {
    r.error = {LogFault::Open, 0, 0, std::strerror(errno)};
    return r;
  }
  uint64_t total = 0;
  if (std::fseek(f.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(f.get());
    total = size > 0 ? uint64_t(size) : 0;
    std::fseek(f.get(), 0, SEEK_SET);
  }
  CsvLogParser parser(options, total);
  LineFeeder feeder(parser);
  std::vector<char> block(kBlock);
  uint64_t done = 0;
  while (true) {
    const size_t got = std::fread(block.data(), 1, block.size(), f.get());
    if (got == 0) {
      if (std::ferror(f.get())) {
        parser.Fail(LogFault::Open, 0, std::strerror(errno));
        return parser.Finish();
      }
      break;
    }
    done += got;
    if (!feeder.Feed(std::string_view(block.data(), got))) return parser.Finish();
    if (options.progress && !options.progress(done, std::max(total, done))) {
      parser.Fail(LogFault::Cancelled, 0, {});
      return parser.Finish();
    }
  }
  feeder.End();
  LogRead read = parser.Finish();
  if (read.log) read.log->source = path;
  return read;
}

}  // namespace ign
