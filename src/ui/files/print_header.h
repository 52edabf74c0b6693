#pragma once
// The one-line header above the window's picture on each sheet: what was
// printed, from which settings file, when, by which program, for which unit.
#include <string>

namespace ign {

struct PrintHeader {
  std::string page;     // the page's caption
  std::string file;     // the settings file ("" when none)
  std::string when;     // date and time
  std::string version;  // the program's identification
  std::string unit;     // the unit's identification ("" when none is connected)
};

// The parts that are there, in that order, separated by " | "; a caption's
// accelerator mark is dropped ("&&" stays one "&").
std::string HeaderLine(const PrintHeader& header);

}  // namespace ign
