#include "core/logs/csv_fields.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace ign {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::array<double, 19> kTens = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                          1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

// The general case through the standard parser, with the decimal mark made a point.
bool ParseSlow(std::string_view s, char decimal, double& out) {
  std::string copy(s);
  for (char& c : copy)
    if (c == decimal) c = '.';
  const char* b = copy.data();
  if (*b == '+') ++b;
  const auto [end, ec] = std::from_chars(b, copy.data() + copy.size(), out);
  return ec == std::errc() && end == copy.data() + copy.size();
}

}  // namespace

void SplitCsvLine(std::string_view line, char separator, std::vector<std::string_view>& fields) {
  fields.clear();
  size_t i = 0;
  const size_t n = line.size();
  while (true) {
    size_t start = i;
    while (start < n && line[start] == ' ') ++start;
    if (start < n && line[start] == '"') {
      size_t j = start + 1;
      while (j < n) {
        if (line[j] == '"') {
          if (j + 1 < n && line[j + 1] == '"') {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      fields.push_back(line.substr(start + 1, (j < n ? j : n) - start - 1));
      i = j < n ? j + 1 : n;
      while (i < n && line[i] != separator) ++i;
    } else {
      const size_t sep = line.find(separator, i);
      const size_t end = sep == std::string_view::npos ? n : sep;
      fields.push_back(line.substr(i, end - i));
      i = end;
    }
    if (i >= n) break;
    ++i;  // past the separator
    if (i == n) {
      fields.push_back(std::string_view());
      break;
    }
  }
}

std::string_view TrimField(std::string_view f) {
  while (!f.empty() && IsBlank(f.front())) f.remove_prefix(1);
  while (!f.empty() && IsBlank(f.back())) f.remove_suffix(1);
  return f;
}

std::string UnquotedText(std::string_view field) {
  std::string s(field);
  for (size_t at = s.find("\"\""); at != std::string::npos; at = s.find("\"\"", at + 1)) s.erase(at, 1);
  return s;
}

bool ParseCsvNumber(std::string_view field, char decimal, double& out) {
  const std::string_view s = TrimField(field);
  if (s.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (s[0] == '-' || s[0] == '+') {
    negative = s[0] == '-';
    ++i;
  }
  uint64_t mantissa = 0;
  int digits = 0, fraction = 0;
  bool any = false;
  while (i < s.size() && IsDigit(s[i])) {
    mantissa = mantissa * 10 + uint64_t(s[i] - '0');
    ++digits;
    ++i;
    any = true;
  }
  if (i < s.size() && s[i] == decimal) {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      mantissa = mantissa * 10 + uint64_t(s[i] - '0');
      ++digits;
      ++fraction;
      ++i;
      any = true;
    }
  }
  if (!any) return false;
  if (i == s.size() && digits <= 18) {
    const double v = double(mantissa) / kTens[size_t(fraction)];
    out = negative ? -v : v;
    return true;
  }
  // An exponent, or more digits than the fast path keeps exactly.
  if (i < s.size() && s[i] != 'e' && s[i] != 'E') return false;
  return ParseSlow(s, decimal, out);
}

bool ParseClockTime(std::string_view field, double& secondsOfDay) {
  const std::string_view s = TrimField(field);
  int parts[3] = {0, 0, 0};
  int count = 0;
  size_t i = 0;
  while (count < 3) {
    const size_t start = i;
    int v = 0;
    while (i < s.size() && IsDigit(s[i]) && i - start < 3) v = v * 10 + (s[i++] - '0');
    if (i == start) return false;
    parts[count++] = v;
    if (i < s.size() && s[i] == ':') {
      ++i;
      continue;
    }
    break;
  }
  if (count < 2 || parts[0] > 47 || parts[1] > 59 || parts[2] > 60) return false;
  double fraction = 0;
  if (i < s.size() && (s[i] == '.' || s[i] == ',') && count == 3) {
    ++i;
    double scale = 0.1;
    const size_t start = i;
    while (i < s.size() && IsDigit(s[i])) {
      fraction += (s[i++] - '0') * scale;
      scale /= 10;
    }
    if (i == start) return false;
  }
  if (i != s.size()) return false;
  secondsOfDay = parts[0] * 3600.0 + parts[1] * 60.0 + parts[2] + fraction;
  return true;
}

CsvDialect GuessCsvDialect(std::string_view header, std::string_view firstData) {
  int semicolons = 0, commas = 0, tabs = 0;
  bool quoted = false;
  for (char c : header) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    semicolons += c == ';';
    commas += c == ',';
    tabs += c == '\t';
  }
  CsvDialect d;
  d.separator = ';';
  if (commas > semicolons && commas >= tabs) d.separator = ',';
  if (tabs > semicolons && tabs > commas) d.separator = '\t';
  if (d.separator == ',') return d;
  std::vector<std::string_view> fields;
  SplitCsvLine(firstData, d.separator, fields);
  bool comma = false, point = false;
  for (std::string_view f : fields) {
    f = TrimField(f);
    if (f.find(':') != std::string_view::npos) continue;  // a clock time
    const size_t c = f.find(','), p = f.find('.');
    if (c != std::string_view::npos && c > 0 && c + 1 < f.size() && IsDigit(f[c - 1]) && IsDigit(f[c + 1]))
      comma = true;
    if (p != std::string_view::npos && p > 0 && p + 1 < f.size() && IsDigit(f[p - 1]) && IsDigit(f[p + 1]))
      point = true;
  }
  if (comma && !point) d.decimal = ',';
  return d;
}

}  // namespace ign
