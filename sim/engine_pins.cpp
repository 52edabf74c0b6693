#include "sim/engine_pins.h"

namespace ign::sim {

CommandLog::CommandLog(const std::string& path) {
  if (!path.empty()) f_ = std::fopen(path.c_str(), "a");
}

CommandLog::~CommandLog() {
  if (f_) std::fclose(f_);
}

void CommandLog::Note(const std::uint8_t* b) {
  if (!f_) return;
  std::fprintf(f_, "monitor %ld 20=%02X 21=%02X 22=%02X 23=%02X\n", ++count_, b[0], b[1], b[2], b[3]);
  std::fflush(f_);
}

}  // namespace ign::sim
