#include "core/logs/log_open.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/logs/recording_log.h"
#include "core/monitor/recording_format.h"

namespace ign {

bool LooksLikeRecording(const std::string& path) {
  std::string ext = path.size() >= 7 ? path.substr(path.size() - 7) : std::string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".ignlog") return true;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t head[4] = {};
  const size_t got = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  const int length = GetU16(head);
  // A recording's header length, and the zero byte after it that no text has.
  return got == sizeof head && length >= Rec::kHeaderBase && length <= Rec::kHeaderBuffer && head[2] == 0;
}

LogRead OpenLog(const std::string& path, const CsvReadOptions& options) {
  if (LooksLikeRecording(path)) {
    if (options.progress) options.progress(0, 1);
    LogRead r = ReadRecordingLog(path);
    if (options.progress) options.progress(1, 1);
    return r;
  }
  return ReadCsvLog(path, options);
}

}  // namespace ign
