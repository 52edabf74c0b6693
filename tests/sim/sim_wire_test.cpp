// The unit's check computations and answer frames against hand-made byte layouts.
#include <gtest/gtest.h>

#include "sim/checks.h"
#include "sim/frames.h"
#include "sim/request_reader.h"
#include "tests/sim/wire.h"

namespace ign::test {
namespace {

using sim::Family;
using sim::RequestReader;

TEST(SimChecks, KnownRegisterValuesAfterTheFixedStart) {
  const Bytes start = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB};
  EXPECT_EQ(sim::HeaderCrc(start), 0xB797);
  for (std::uint8_t b7 : {0xBB, 0xBC, 0xFB, 0xFC}) {
    Bytes eight = start;
    eight.push_back(b7);
    EXPECT_EQ(sim::HeaderSum(eight), static_cast<std::uint16_t>(0x5B5E + 256 * b7)) << int(b7);
  }
}

TEST(SimFrames, HeaderRepliesCheckWithBothKindsAndOddLengths) {
  for (bool sum : {false, true}) {
    for (std::size_t n : {0u, 1u, 2u, 7u, 32u}) {
      Bytes data(n);
      for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(0xF0 + i);
      const HeaderFrame h = ParseHeaderFrame(sim::BuildHeaderReply(sum, true, 0x7010, 0x0123, data));
      EXPECT_TRUE(h.ok) << "sum=" << sum << " n=" << n;
      EXPECT_EQ(h.marker, sum ? 0xFC : 0xBC);
      EXPECT_EQ(h.word, 0x7010);
      EXPECT_EQ(h.address, 0x0123);
      EXPECT_EQ(h.data, data);
    }
  }
}

TEST(SimFrames, ShortAcknowledgementCarriesTheWordAndAddress) {
  const HeaderFrame h = ParseHeaderFrame(sim::BuildHeaderAck(false, 0x7020, 0x0140));
  ASSERT_TRUE(h.ok);
  EXPECT_EQ(h.word, 0xFFFF);
  EXPECT_EQ(h.address, 0x7020);
  EXPECT_EQ(h.data, (Bytes{0x40, 0x01}));
}

std::vector<sim::Request> FeedAll(RequestReader& r, const Bytes& bytes, std::int64_t t = 0) {
  std::vector<sim::Request> out;
  for (auto b : bytes)
    for (auto& q : r.Feed(b, t)) out.push_back(q);
  return out;
}

TEST(SimRequestReader, ShortRequestsWithNoiseAndBadChecks) {
  struct Case {
    const char* what;
    Bytes input;
    std::vector<std::uint8_t> commands;
  };
  Bytes bad = ShortRequest(150, 0x41);
  bad.back() ^= 1;
  Bytes twoInOne = ShortRequest(150, 0x42);
  const Bytes second = ShortRequest(150, 0x43);
  twoInOne.insert(twoInOne.end(), second.begin(), second.end());
  Bytes lead = {0x85, 0xFF, 0xC1};  // bytes with bit 7 set never start a request
  const Bytes probe = ShortRequest(150, 0x30, {}, 108);
  lead.insert(lead.end(), probe.begin(), probe.end());
  Bytes afterBad = bad;
  afterBad.insert(afterBad.end(), probe.begin(), probe.end());
  const std::vector<Case> cases = {
      {"plain probe", probe, {0x30}},
      {"wrong check", bad, {}},
      {"two back to back", twoInOne, {0x42, 0x43}},
      {"leading answer-like bytes", lead, {0x30}},
      {"good request after a bad one", afterBad, {0x30}},
  };
  for (const auto& c : cases) {
    RequestReader r(Family::Ign150);
    const auto got = FeedAll(r, c.input);
    std::vector<std::uint8_t> cmds;
    for (const auto& q : got) cmds.push_back(q.command);
    EXPECT_EQ(cmds, c.commands) << c.what;
  }
}

TEST(SimRequestReader, PauseInsideAFrameDropsThePart) {
  RequestReader r(Family::Ign50, 50);
  const Bytes f = ShortRequest(50, 0x41);
  for (std::size_t i = 0; i < 20; ++i) EXPECT_TRUE(r.Feed(f[i], 0).empty());
  // The rest comes 200 ms later: the first part is gone, the rest alone is no request.
  std::size_t got = 0;
  for (std::size_t i = 20; i < f.size(); ++i) got += r.Feed(f[i], 200).size();
  EXPECT_EQ(got, 0u);
  // A complete request afterwards is taken.
  got = 0;
  for (auto b : f) got += r.Feed(b, 400).size();
  EXPECT_EQ(got, 1u);
}

TEST(SimRequestReader, HeaderRequestsResynchroniseAndKeepTheirKind) {
  Bytes noisy = {0xFF, 0xFF, 0x00, 0xA5, 0xFF};
  const Bytes req = HeaderRequest(false, 0x7010, 0x20, {0x20, 0x00});
  noisy.insert(noisy.end(), req.begin(), req.end());
  RequestReader crc(Family::Wcom);
  const auto got = FeedAll(crc, noisy);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].word, 0x7010);
  EXPECT_EQ(got[0].address, 0x20);
  EXPECT_EQ(got[0].data, (Bytes{0x20, 0x00}));

  // A sum-checked request of odd length is taken by a sum unit, not by a CRC unit.
  const Bytes odd = HeaderRequest(true, 0x7020, 0x10, {1, 2, 3});
  RequestReader sum(Family::Wcoms);
  ASSERT_EQ(FeedAll(sum, odd).size(), 1u);
  RequestReader crc2(Family::Wcom);
  EXPECT_TRUE(FeedAll(crc2, odd).empty());

  Bytes broken = HeaderRequest(false, 0xFEEE, 0);
  broken[15] ^= 0x80;
  RequestReader crc3(Family::Wcom);
  EXPECT_TRUE(FeedAll(crc3, broken).empty());
}

TEST(SimRequestReader, AbsurdLengthDoesNotSwallowTheNextRequest) {
  Bytes junk = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0x10, 0x70, 0, 0, 0xFF, 0xFF};
  const Bytes req = HeaderRequest(false, 0xFEEE, 0);
  junk.insert(junk.end(), req.begin(), req.end());
  RequestReader r(Family::Wcom);
  const auto got = FeedAll(r, junk);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].word, 0xFEEE);
}

}  // namespace
}  // namespace ign::test
