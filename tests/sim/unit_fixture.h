// A simulated unit in memory, asked with hand-made request bytes.
#pragma once

#include <gtest/gtest.h>

#include "sim/request_reader.h"
#include "sim/sim_unit.h"
#include "tests/sim/wire.h"

namespace ign::test {

struct UnitUnderTest {
  explicit UnitUnderTest(sim::Family f, sim::SettingsStore store = {}, int key = 108, int subversion = 0,
                         sim::EnginePins pins = {})
      : family(f), reader(f), unit(Config(f, key, subversion, pins), std::move(store)) {
    unit.PowerOn(0);
  }

  static sim::UnitConfig Config(sim::Family f, int key, int subversion, sim::EnginePins pins = {}) {
    sim::UnitConfig c;
    c.pins = pins;
    c.family = f;
    c.key = key;
    c.subversion = subversion;
    c.name = "BENCH";
    return c;
  }

  // Sends the bytes at time t (ms); returns the reply to the one request they hold.
  sim::Reply Ask(const Bytes& request, std::int64_t t = 0) {
    std::vector<sim::Request> got;
    for (auto b : request)
      for (auto& r : reader.Feed(b, t)) got.push_back(r);
    EXPECT_EQ(got.size(), 1u) << "the bytes must hold exactly one request";
    if (got.empty()) return {};
    return unit.Handle(got[0], t);
  }

  // Monitor request of the short family with the given bytes 20..23.
  Bytes MonitorRequest(int n, std::uint8_t b20 = 0, std::uint8_t b21 = 0, std::uint8_t b22 = 0,
                       std::uint8_t b23 = 0) {
    Bytes d(static_cast<std::size_t>(n), 0);
    d[20] = b20;
    d[21] = b21;
    d[22] = b22;
    d[23] = b23;
    return ShortRequest(n, 0x30, d, n == 300 ? 0 : 108);
  }

  sim::Family family;
  sim::RequestReader reader;
  sim::SimUnit unit;
};

inline int WordAt(const Bytes& frame, int k) { return frame[2 * k] | (frame[2 * k + 1] << 8); }

}  // namespace ign::test
