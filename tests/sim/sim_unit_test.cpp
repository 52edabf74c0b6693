// Answers of the simulated unit to the program's requests, frame by frame.
#include <gtest/gtest.h>

#include "sim/default_image.h"
#include "tests/sim/unit_fixture.h"

namespace ign::test {
namespace {

using sim::Family;

struct ShortCase {
  Family family;
  int n;
};

class ShortFamily : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ShortFamily, ProbeAnswerCarriesTheKeyWhereTheSearchLooksForIt) {
  const auto [family, n] = GetParam();
  UnitUnderTest u(family, {}, 0x1234 & 0xFF, 0);
  const Bytes a = u.Ask(u.MonitorRequest(n)).frame;
  ASSERT_EQ(a.size(), static_cast<std::size_t>(n) + 2);
  EXPECT_TRUE(ShortFrameChecks(a));
  EXPECT_EQ(a[0], 0xB0);
  if (family == Family::Ign300) {
    EXPECT_EQ((a[2] << 8) | a[3], 0x34);
  } else {
    EXPECT_EQ(a[n], 0x34);
  }
}

TEST_P(ShortFamily, ReadsEveryBlockOfTheSettingsAndZerosPastTheEnd) {
  const auto [family, n] = GetParam();
  UnitUnderTest u(family);
  const sim::Image im = sim::DefaultImage();
  const int blocks = (1050 + n - 1) / n;
  for (int b = 0; b < blocks; ++b) {
    const Bytes a = u.Ask(ShortRequest(n, static_cast<std::uint8_t>(0x41 + b))).frame;
    ASSERT_EQ(a.size(), static_cast<std::size_t>(n) + 2);
    EXPECT_TRUE(ShortFrameChecks(a));
    EXPECT_EQ(a[0], 0xC1 + b);
    for (int i = 0; i < n; ++i) {
      const int addr = b * n + i;
      ASSERT_EQ(a[1 + i], addr < 1050 ? im[addr] : 0) << "address " << addr;
    }
  }
}

TEST_P(ShortFamily, WriteIsEchoedAndStoredButNothingPastTheBlockEnd) {
  const auto [family, n] = GetParam();
  UnitUnderTest u(family);
  const int last = (1050 + n - 1) / n - 1;  // the last block runs past byte 1049 for N = 100, 300
  Bytes data(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(0x5A ^ i);
  const Bytes a = u.Ask(ShortRequest(n, static_cast<std::uint8_t>(last + 1), data)).frame;
  ASSERT_EQ(a.size(), static_cast<std::size_t>(n) + 2);
  EXPECT_EQ(a[0], 0x80 + last + 1);
  EXPECT_EQ(Bytes(a.begin() + 1, a.end() - 1), data) << "the echo must equal what was sent";
  const sim::Image& im = u.unit.store().image();
  for (int i = 0; i < n && last * n + i < 1050; ++i) ASSERT_EQ(im[last * n + i], data[i]);
}

TEST_P(ShortFamily, HeaderReadGivesTheHeader) {
  const auto [family, n] = GetParam();
  UnitUnderTest u(family, {}, 108, 3);
  const Bytes a = u.Ask(ShortRequest(n, 0x40)).frame;
  ASSERT_EQ(a.size(), static_cast<std::size_t>(n) + 2);
  EXPECT_EQ(a[0], 0xC0);
  if (n > 11) {
    EXPECT_EQ(a[1 + 10], 108);
    EXPECT_EQ(a[1 + 11], 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Families, ShortFamily,
                         ::testing::Values(ShortCase{Family::Ign50, 50}, ShortCase{Family::Ign100, 100},
                                           ShortCase{Family::Ign150, 150}, ShortCase{Family::Ign300, 300}));

TEST(SimUnitShort, MonitorRecordOfIgn50ComesInThreeBlocks) {
  UnitUnderTest u(Family::Ign50);
  const Bytes b0 = u.Ask(u.MonitorRequest(50), 8000).frame;
  const Bytes b1 = u.Ask(ShortRequest(50, 0x31, {}, 108), 8010).frame;
  const Bytes b2 = u.Ask(ShortRequest(50, 0x32, {}, 108), 8020).frame;
  ASSERT_EQ(b2.size(), 52u);
  EXPECT_EQ(b1[0], 0xB1);
  EXPECT_EQ(b2[0], 0xB2);
  EXPECT_EQ(b2[50], 108) << "record index 150 is the key";
  EXPECT_EQ(b2[49], 0) << "record index 149 is the subversion";
}

TEST(SimUnitShort, ResetNeedsItsMarkAndIsAcknowledged) {
  UnitUnderTest u(Family::Ign150);
  Bytes cmd(150, 0);
  cmd[12] = 0xA5;
  cmd[13] = 0x10;
  const Bytes a = u.Ask(ShortRequest(150, 0x00, cmd), 100).frame;
  ASSERT_EQ(a.size(), 152u);
  EXPECT_EQ(a[0], 0x80);
  // Right after the reset the engine stands: rpm 0.
  const Bytes m = u.Ask(u.MonitorRequest(150), 200).frame;
  EXPECT_EQ(WordAt(m, 1), 0);
}

TEST(SimUnitShort, UnknownCommandGetsNoAnswer) {
  UnitUnderTest u(Family::Ign150);
  EXPECT_TRUE(u.Ask(ShortRequest(150, 0x75)).frame.empty());
}

// Header family ------------------------------------------------------------------------

class HeaderFamily : public ::testing::TestWithParam<bool> {};

TEST_P(HeaderFamily, IdentificationGivesNameFrameLengthHardwareAndKey) {
  const bool sum = GetParam();
  UnitUnderTest u(sum ? Family::Wcoms : Family::Wcom, {}, 109);
  const HeaderFrame h = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0xFEEE, 0)).frame);
  ASSERT_TRUE(h.ok);
  EXPECT_EQ(h.marker, sum ? 0xFC : 0xBC);
  EXPECT_EQ(h.word, 0xFEEE);
  const Bytes name = {'B', 'E', 'N', 'C', 'H', 0};
  ASSERT_EQ(h.data.size(), name.size() + 6);
  EXPECT_EQ(Bytes(h.data.begin(), h.data.begin() + 6), name);
  EXPECT_EQ(h.data[6] | (h.data[7] << 8), 272);
  EXPECT_EQ(h.data[8] | (h.data[9] << 8), 0x0150);
  EXPECT_EQ(h.data[10] | (h.data[11] << 8), 109);
}

TEST_P(HeaderFamily, ReadWriteAndHeaderBlocks) {
  const bool sum = GetParam();
  UnitUnderTest u(sum ? Family::Wcoms : Family::Wcom);
  const Bytes data = {9, 8, 7, 6};  // the last four bytes of the block
  const HeaderFrame ack = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0x7020, 1046, data)).frame);
  ASSERT_TRUE(ack.ok);
  EXPECT_EQ(ack.word, 0xFFFF) << "writes are acknowledged with the short positive reply";
  EXPECT_EQ(ack.address, 0x7020);
  EXPECT_EQ(ack.data, (Bytes{1046 & 0xFF, 1046 >> 8}));

  const HeaderFrame rd = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0x7010, 1040, {16, 0})).frame);
  ASSERT_TRUE(rd.ok);
  EXPECT_EQ(rd.word, 0x7010);
  EXPECT_EQ(rd.address, 1040);
  ASSERT_EQ(rd.data.size(), 16u);
  EXPECT_EQ(Bytes(rd.data.begin() + 6, rd.data.begin() + 10), (Bytes{9, 8, 7, 6}));
  EXPECT_EQ(rd.data[10], 0) << "byte 1050 is past the block";

  const HeaderFrame hd = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0x701F, 0, {150, 0})).frame);
  ASSERT_TRUE(hd.ok);
  ASSERT_EQ(hd.data.size(), 150u);
  EXPECT_EQ(hd.data[10], 108);
  EXPECT_EQ(Bytes(hd.data.begin() + 16, hd.data.begin() + 21), (Bytes{'B', 'E', 'N', 'C', 'H'}));
}

TEST_P(HeaderFamily, WritePastTheBlockIsRefusedWhole) {
  const bool sum = GetParam();
  UnitUnderTest u(sum ? Family::Wcoms : Family::Wcom);
  const sim::Image before = u.unit.store().image();
  const HeaderFrame h = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0x7020, 1048, {1, 2, 3})).frame);
  ASSERT_TRUE(h.ok);
  EXPECT_EQ(h.word, 0xFFFE) << "negative short reply";
  EXPECT_EQ(h.address, 0x7020);
  EXPECT_EQ(u.unit.store().image(), before);
}

TEST_P(HeaderFamily, UnknownOrOversizedRequestsGetTheNegativeReply) {
  const bool sum = GetParam();
  UnitUnderTest u(sum ? Family::Wcoms : Family::Wcom);
  for (const Bytes& req : {HeaderRequest(sum, 0x7777, 0), HeaderRequest(sum, 0x7010, 0, {0x00, 0x04}),
                           HeaderRequest(sum, 0x7010, 0, {5})}) {
    const HeaderFrame h = ParseHeaderFrame(u.Ask(req).frame);
    ASSERT_TRUE(h.ok);
    EXPECT_EQ(h.marker & 0x0F, 0x0D);
  }
}

TEST_P(HeaderFamily, MonitorBlocksFollowTheRecordLayout) {
  const bool sum = GetParam();
  UnitUnderTest u(sum ? Family::Wcoms : Family::Wcom, {}, 108, 2);
  const HeaderFrame h = ParseHeaderFrame(u.Ask(HeaderRequest(sum, 0x7050, 0, Bytes(150, 0)), 8000).frame);
  ASSERT_TRUE(h.ok);
  ASSERT_EQ(h.data.size(), 150u);
  EXPECT_EQ(h.data[149], 108);  // record index 150
  EXPECT_EQ(h.data[148], 2);    // record index 149
  EXPECT_GT(h.data[1] | (h.data[2] << 8), 0) << "the engine idles 8 s after start";
}

INSTANTIATE_TEST_SUITE_P(CrcAndSum, HeaderFamily, ::testing::Values(false, true));

}  // namespace
}  // namespace ign::test
