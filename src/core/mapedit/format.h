#pragma once
// Shown values: stored integers as text and typed text as stored integers.
// Both ignore the C locale: the decimal point is always '.'.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ign {

// Decimals shown for a scale: 0 when |scale| >= 1, else
// trunc(-(log10(|scale|) - 0.99)) (0.1 -> 1, 0.02 -> 2, 0.001 -> 3), at most 9.
int DecimalsForScale(double scale);

// stored * scale with DecimalsForScale(scale) decimals, a blank before every
// group of three integer digits that follows a digit ("-1 234 567"),
// trailing zeros and a bare point removed, then " " + suffix when
// withSuffix (a packed suffix is shown in the current language).
std::string FormatValue(int32_t stored, double scale, std::string_view suffix = {}, bool withSuffix = false);

// Typed text to a stored value: blanks and tabs removed, commas read as
// points, the leading number read; stored = value / scale rounded half
// away from zero and held inside the 32-bit range. Nothing when the text
// has no leading number, is not finite, or the scale is 0.
std::optional<int32_t> ParseTypedValue(std::string_view text, double scale);

}  // namespace ign
