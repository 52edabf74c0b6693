#pragma once
// The keywords of the settings-file reader, the writer's and those of older
// versions, and what each reads into the image.
#include <string_view>

#include "core/files/ign_scanner.h"
#include "core/params/image.h"

namespace ign {

// Unit families of settings files: this program's own, and the others that
// only a cross transformation reads.
namespace IgnFamily {
constexpr int Own = 1, Family0 = 0, Family2 = 2, Family3 = 3, Family4 = 4;
}

struct IgnReadContext {
  CIgnScanner& in;
  Image& img;
  int version;
  int family;
  bool bikeSection = false;
  bool map2Read = false;
};

// Reads what keyword stands for; false when token is no keyword.
bool ReadKeyword(std::string_view token, IgnReadContext& c);

}  // namespace ign
