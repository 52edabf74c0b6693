// The libFuzzer entry point of one target, chosen at build time by IGN_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/targets/fuzz_targets.h"

#define IGN_STR2(x) #x
#define IGN_STR(x) IGN_STR2(x)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ign::fuzz::TargetFn fn = [] {
    for (const ign::fuzz::Target& t : ign::fuzz::Targets())
      if (std::strcmp(t.name, IGN_STR(IGN_FUZZ_TARGET)) == 0) return t.fn;
    return ign::fuzz::TargetFn(nullptr);
  }();
  return fn ? fn(data, size) : 0;
}
