#include "cli/monitor_text.h"

#include <cstdio>

namespace ign::cli {
namespace {

int Word(const uint8_t* r, int k) { return r[2 * k] | (r[2 * k + 1] << 8); }

}  // namespace

std::string MonitorLine(const uint8_t* r) {
  char line[512];
  const int sensor = r[100] > 2 ? 2 : r[100];
  std::string load = sensor == 2 ? std::to_string(Word(r, 3)) + " kPa" : std::to_string(Word(r, 3)) + " %";
  auto adv = [&](int i) { return r[105 + i] == 0 ? -999 : r[105 + i] - 100; };
  const long minutes = Word(r, 15) | (long(r[115]) << 16);
  std::snprintf(line, sizeof line,
                "rpm=%d load=%s tps=%dmV battery=%.2fV adv=%d/%d/%d/%d out=%c%c%c%c inputs=0x%02X "
                "pickup1=%s pickup2=%s bike=%d key=%d.%02d saving=%d %s=%ld:%02ld",
                Word(r, 1), load.c_str(), Word(r, 2), Word(r, 4) / 1000.0, adv(0), adv(1), adv(2), adv(3),
                (r[109] & 1) ? '1' : '-', (r[109] & 2) ? '2' : '-', (r[109] & 4) ? '3' : '-',
                (r[109] & 8) ? '4' : '-', r[142] & 0x3F, (r[140] & 1) ? "run" : "off",
                (r[140] & 2) ? "run" : "off", r[1], r[150], r[149], Word(r, 8),
                (r[142] & 0x80) ? "overvoltage" : "hours", minutes / 60, minutes % 60);
  return line;
}

}  // namespace ign::cli
