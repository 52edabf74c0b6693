#pragma once
// What a number field shows of a named parameter: the range and step in shown
// units, and the unit. Where the parameter lies, how its raw value converts
// (scale, offset, sign) and which page group it belongs to come from the
// address map, so each fact about a parameter is written once.
#include <span>
#include <string_view>

#include "core/params/address_map.h"

namespace ign {

struct ParamDescriptor {
  const char* name;
  int minimum, maximum, step;  // shown units
  const char* unit;            // "" for a plain count
  const ParamInfo* info;       // the address map's entry of the same name
  int occurrence = 0;          // which of the address map's entries of the name

  int Scale() const { return info->scale; }
  int Offset() const { return info->offset; }
  int Page() const { return info->group; }
};

// Every described parameter.
std::span<const ParamDescriptor> Descriptors();
// The descriptor of a parameter (the n-th of the address map's entries of the
// name, for a name the map gives to several); the name must be one of the
// table's (an unknown name is a programming error and stops the program).
const ParamDescriptor& Describe(std::string_view name, int occurrence = 0);

}  // namespace ign
