// Command line of the simulated unit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/engine_pins.h"
#include "sim/family.h"

namespace ign::sim {

struct SimOptions {
  std::string portDir;
  int com = 0;
  Family family = Family::Ign150;
  int baud = 0;  // 0: the family's default
  std::string image;
  int key = 108;
  int subversion = 0;
  std::string name = "IGNSIM";
  int serial = 7;  // the unit number in the header's serial
  bool pace = false;
  int dropEvery = 0;
  int corruptEvery = 0;
  bool noise = false;
  int delayMs = 0;
  bool echo = false;
  int hangupAfter = 0;
  int corruptStreamEvery = 0;
  std::uint32_t seed = 1;
  bool noStdin = false;
  EnginePins pins;
  std::string commandLog;
  bool help = false;
};

// Parses argv; on a bad command line returns nullopt and sets error.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string* error);

// The text of --help.
std::string HelpText();

}  // namespace ign::sim
