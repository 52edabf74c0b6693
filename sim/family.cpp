#include "sim/family.h"

#include <array>

namespace ign::sim {
namespace {

constexpr std::array<FamilyInfo, 6> kFamilies = {{
    {Family::Ign50, "IGN50", 57600, 50},
    {Family::Ign100, "IGN100", 57600, 100},
    {Family::Ign150, "IGN150", 57600, 150},
    {Family::Ign300, "IGN300", 115200, 300},
    {Family::Wcom, "WCOM", 57600, 0},
    {Family::Wcoms, "WCOMS", 57600, 0},
}};

}  // namespace

const FamilyInfo& Info(Family f) {
  for (const auto& i : kFamilies)
    if (i.family == f) return i;
  return kFamilies[2];
}

std::optional<Family> ParseFamily(const std::string& name) {
  for (const auto& i : kFamilies)
    if (name == i.name) return i.family;
  return std::nullopt;
}

bool IsHeaderFamily(Family f) { return f == Family::Wcom || f == Family::Wcoms; }

int ShortDataBytes(Family f) { return Info(f).dataBytes; }

}  // namespace ign::sim
