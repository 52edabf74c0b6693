#include "core/logs/log_model.h"

#include <algorithm>
#include <cstdio>

namespace ign {

int CLog::Find(const std::string& name) const {
  for (size_t i = 0; i < channels.size(); ++i)
    if (channels[i].name == name) return int(i);
  return -1;
}

int CLog::FindRole(ChannelRole role) const {
  for (size_t i = 0; i < channels.size(); ++i)
    if (channels[i].role == role) return int(i);
  return -1;
}

size_t CLog::RowAt(double t) const {
  const auto it = std::upper_bound(time.begin(), time.end(), t);
  return it == time.begin() ? 0 : size_t(it - time.begin()) - 1;
}

size_t CLog::FirstRowFrom(double t) const {
  return size_t(std::lower_bound(time.begin(), time.end(), t) - time.begin());
}

size_t CLog::EndRowUntil(double t) const {
  return size_t(std::upper_bound(time.begin(), time.end(), t) - time.begin());
}

LogChannel& CLog::AddChannel(std::string name, std::string unit, ChannelKind kind, ChannelRole role) {
  if (name.empty()) name = "?";
  std::string unique = name;
  for (int n = 2; Find(unique) >= 0; ++n) unique = name + " " + std::to_string(n);
  LogChannel& c = channels.emplace_back();
  c.name = std::move(unique);
  c.unit = std::move(unit);
  c.kind = kind;
  c.role = role;
  return c;
}

std::string ValueText(const LogChannel& channel, float value) {
  if (!HasValue(value)) return {};
  if (channel.kind == ChannelKind::Flag) return value >= 0.5f ? "1" : "0";
  if (channel.kind == ChannelKind::Enumeration && !channel.texts.empty()) {
    const long i = std::lround(value);
    if (i >= 0 && size_t(i) < channel.texts.size()) return channel.texts[size_t(i)];
  }
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.3f", double(value));
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

}  // namespace ign
