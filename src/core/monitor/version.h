#pragma once
// The version state and text that a monitor record's key and subversion give
// (status-bar panel 4 shows the text with the unit information).
#include <string>

namespace ign {

struct MonitorVersion {
  int state = 0;  // VersionState: 1 mismatch, 2 match
  std::string text;
};

MonitorVersion VersionOfRecord(int key, int subversion);

}  // namespace ign
