// Frame families the simulated unit can speak.
#pragma once

#include <optional>
#include <string>

namespace ign::sim {

enum class Family { Ign50, Ign100, Ign150, Ign300, Wcom, Wcoms };

struct FamilyInfo {
  Family family;
  const char* name;
  int defaultBaud;  // the baud rate the program's port search tries this family with
  int dataBytes;    // short families: N; header families: 0
};

const FamilyInfo& Info(Family f);
std::optional<Family> ParseFamily(const std::string& name);
bool IsHeaderFamily(Family f);
// Data bytes per short frame (N); 0 for the header families.
int ShortDataBytes(Family f);

}  // namespace ign::sim
