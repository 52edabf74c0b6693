#pragma once
// The fuzz bodies' checks: a broken invariant prints what failed and aborts,
// which the fuzzer reports as a finding and a regression test as a crash.
#include <cstdio>
#include <cstdlib>

namespace ign::fuzz {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace ign::fuzz

#define FUZZ_CHECK(cond)                   \
  do {                                     \
    if (!(cond)) ::ign::fuzz::Fail(#cond); \
  } while (0)
