#include "core/logs/tidy_csv.h"

#include <cstdio>

#include "core/base/atomic_file.h"

namespace ign {

namespace {

// A text field, quoted when it holds a quote, a line end or any character a
// reader could take for the separator: a reader guesses the separator from
// the header line outside quotes.
void Field(std::string& out, const std::string& text) {
  if (text.find_first_of(",;\t\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string Decimal(std::string s, bool comma) {
  if (comma)
    for (char& c : s)
      if (c == '.') c = ',';
  return s;
}

}  // namespace

std::string TidyCsv(const CLog& log, double from, double to, const TidyCsvOptions& o) {
  const char sep = o.decimalComma ? ';' : ',';
  std::vector<int> channels = o.channels;
  if (channels.empty())
    for (size_t i = 0; i < log.channels.size(); ++i) channels.push_back(int(i));
  std::string out = "time [s]";
  for (int c : channels) {
    const LogChannel& ch = log.channels[size_t(c)];
    out += sep;
    Field(out, ch.unit.empty() ? ch.name : ch.name + " [" + ch.unit + "]");
  }
  out += '\n';
  const size_t first = log.FirstRowFrom(from), end = log.EndRowUntil(to);
  out.reserve(out.size() + (end > first ? end - first : 0) * (channels.size() * 4 + 10));
  char buf[32];
  for (size_t i = first; i < end; ++i) {
    std::snprintf(buf, sizeof buf, "%.3f", log.time[i]);
    out += Decimal(buf, o.decimalComma);
    for (int c : channels) {
      const LogChannel& ch = log.channels[size_t(c)];
      out += sep;
      const std::string v = ValueText(ch, ch.values[i]);
      if (ch.kind == ChannelKind::Enumeration && !ch.texts.empty())
        Field(out, v);
      else
        out += Decimal(v, o.decimalComma);
    }
    out += '\n';
  }
  return out;
}

bool WriteTidyCsv(const std::string& path, const CLog& log, double from, double to, const TidyCsvOptions& o) {
  return WriteFileAtomically(path, TidyCsv(log, from, to, o));
}

}  // namespace ign
