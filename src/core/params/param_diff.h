#pragma once
// The parameters in which two images differ, by name, element and shown value.
#include <string>
#include <vector>

#include "core/params/image.h"

namespace ign {

struct ParamDifference {
  std::string name;  // parameter name, or "byte <n>" for an unnamed byte
  int element = 0;
  int a = 0, b = 0;  // shown values
};

std::vector<ParamDifference> DiffImages(const Image& a, const Image& b);
// "NAME[element]: a -> b"
std::string FormatDifference(const ParamDifference& d);

}  // namespace ign
