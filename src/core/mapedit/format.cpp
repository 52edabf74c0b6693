#include "core/mapedit/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/base/checked_math.h"
#include "core/mapedit/texts.h"

namespace ign {

int DecimalsForScale(double scale) {
  const double magnitude = std::fabs(scale);
  if (!(magnitude < 1.0)) return 0;  // also NaN
  if (magnitude == 0.0) return 0;
  const double decimals = std::trunc(-(CheckedLog10(magnitude) - 0.99));
  return static_cast<int>(std::clamp(decimals, 0.0, 9.0));
}

std::string FormatValue(int32_t stored, double scale, std::string_view suffix, bool withSuffix) {
  const int decimals = DecimalsForScale(scale);
  const double shown = static_cast<double>(stored) * scale;
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, decimals);
  std::string number(buffer, result.ec == std::errc() ? result.ptr : buffer);

  // Group the integer digits by three, counted leftwards from the point.
  const std::size_t point = std::min(number.find('.'), number.size());
  std::size_t firstDigit = 0;
  while (firstDigit < point && !(number[firstDigit] >= '0' && number[firstDigit] <= '9')) ++firstDigit;
  for (std::size_t pos = point; pos >= firstDigit + 4; pos -= 3) number.insert(pos - 3, 1, ' ');

  if (number.find('.') != std::string::npos) {
    while (number.back() == '0') number.pop_back();
    if (number.back() == '.') number.pop_back();
  }
  if (number == "-0") number = "0";
  if (withSuffix) {
    number += ' ';
    number += Shown(suffix);
  }
  return number;
}

std::optional<int32_t> ParseTypedValue(std::string_view text, double scale) {
  std::string clean;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    clean += c == ',' ? '.' : c;
  }
  std::size_t start = 0;
  if (!clean.empty() && clean[0] == '+') start = 1;
  double value = 0.0;
  const char* begin = clean.data() + start;
  const char* end = clean.data() + clean.size();
  const auto result = std::from_chars(begin, end, value, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(value) || scale == 0.0 || !std::isfinite(scale)) {
    return std::nullopt;
  }
  const double exact = value / scale;
  const double rounded = std::trunc(exact + (exact < 0 ? -0.5 : 0.5));
  const double lo = std::numeric_limits<int32_t>::min();
  const double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(rounded, lo, hi));
}

}  // namespace ign
