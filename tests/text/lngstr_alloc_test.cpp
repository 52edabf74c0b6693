// Resolution of a parsed string must not allocate: it runs for every shown
// text on every tick. This binary counts global allocations.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/text/lngstr.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The replaced pair allocates with malloc and frees with free; GCC cannot see
// that the two belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpragmas"
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace ign {
namespace {

TEST(LngStrAllocation, NothingAfterTheFirstResolution) {
  static const char kA[] = "###Hour meter##Betriebstundenzähler##Počítadlo provozních hodin";
  static const char kB[] = "###Retard##Spätzündung";
  CPackedText kept("###Pulse##Pulze##Pulzy");
  LngStr(kA);
  LngStr(kB);
  kept.Resolve();

  const long before = g_allocations.load();
  for (int round = 0; round < 3; ++round) {
    for (int language : {-1, 0, 1, 2, 9}) {
      SetLanguage(round);
      LngStr(kA, language);
      LngStr(kB, language);
      kept.Resolve(language);
    }
  }
  EXPECT_EQ(g_allocations.load(), before);
  SetLanguage(LNG_ENGLISH);
}

}  // namespace
}  // namespace ign
