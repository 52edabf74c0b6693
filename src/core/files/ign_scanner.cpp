#include "core/files/ign_scanner.h"

#include <algorithm>

namespace ign {
namespace {

constexpr long long kLimit = 1000000000;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string_view> CIgnScanner::NextToken() {
  const size_t n = text_.size();
  while (pos_ < n && IsSeparator(text_[pos_])) ++pos_;
  size_t end = pos_;
  while (end < n && !IsSeparator(text_[end])) ++end;
  if (end == n) {
    pos_ = n;
    return std::nullopt;
  }
  std::string_view token = text_.substr(pos_, end - pos_);
  pos_ = end;
  return token;
}

std::optional<int> CIgnScanner::NextNumber() {
  const size_t n = text_.size();
  size_t i = pos_;
  while (i < n && !IsDigit(text_[i]) && !(text_[i] == '-' && i + 1 < n && IsDigit(text_[i + 1]))) ++i;
  if (i == n) {
    pos_ = n;
    ++numbersMissing_;
    return std::nullopt;
  }
  ++numbersRead_;
  const bool negative = text_[i] == '-';
  if (negative) ++i;
  int base = 10;
  if (text_[i] == '0') {
    base = 8;
    if (i + 2 < n && (text_[i + 1] == 'x' || text_[i + 1] == 'X') && HexDigit(text_[i + 2]) >= 0) {
      base = 16;
      i += 2;
    }
  }
  long long v = 0;
  for (; i < n; ++i) {
    const int d = HexDigit(text_[i]);
    if (d < 0 || d >= base) break;
    v = v * base + d;
    if (v > kLimit) v = kLimit;
  }
  pos_ = i;
  return int(negative ? -v : v);
}

bool CIgnScanner::SkipPastLineStarting(std::string_view prefix) {
  if (prefixMissing_ && missingPrefix_ == prefix) return false;
  const size_t n = text_.size();
  for (size_t i = pos_; i < n; ++i) {
    if (text_[i] != '\n' && text_[i] != '\r') continue;
    if (text_.substr(i + 1, prefix.size()) != prefix) continue;
    size_t end = i + 1;
    while (end < n && text_[end] != '\n' && text_[end] != '\r') ++end;
    pos_ = end;
    return true;
  }
  prefixMissing_ = true;
  missingPrefix_ = std::string(prefix);
  return false;
}

int CIgnScanner::LineAt(size_t position) const {
  int line = 1;
  const size_t end = std::min(position, text_.size());
  for (size_t i = 0; i < end; ++i) {
    if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) ++line;
  }
  return line;
}

int CIgnScanner::LastLine() const {
  size_t end = text_.size();
  while (end > 0 && IsSeparator(text_[end - 1])) --end;
  return LineAt(end == 0 ? 0 : end - 1);
}

}  // namespace ign
