#include <gtest/gtest.h>

#include "core/params/address_map.h"
#include "core/params/lobe.h"
#include "core/params/value.h"

namespace ign {
namespace {

struct ByteReadCase {
  int adrb;
  uint8_t raw;
  bool isSigned;
  int scale, offset;
  int shown;
};

TEST(ValueConversion, ReadsBytesWithSignScaleAndOffset) {
  const ByteReadCase cases[] = {
      {Adrb::RPM_PULSES, 255, true, 1, 0, -1},    // "pickup 1"
      {Adrb::RPM_PULSES, 254, true, 1, 0, -2},    // "pickup 2"
      {Adrb::RPM_PULSES, 255, false, 1, 0, 255},  // without the flag the same byte is unsigned
      {Adrb::CORR_ADVANCE, 100, false, 1, -100, 0}, {Adrb::CORR_ADVANCE, 95, false, 1, -100, -5},
      {Adrb::LIMITER, 110, false, 100, 0, 11000},   {Adrb::ADVANCE, 70, false, 1, -100, -30},
  };
  for (const auto& c : cases) {
    Image img{};
    img[c.adrb] = c.raw;
    EXPECT_EQ(ReadByteValue(img, c.adrb, c.isSigned ? kSignedFlag : 0, c.scale, c.offset), c.shown)
        << "address " << c.adrb << " raw " << int(c.raw);
  }
}

TEST(ValueConversion, ReadsWordsLittleEndianWithSignedFlag) {
  Image img{};
  img[2 * 61] = 0xFF;
  img[2 * 61 + 1] = 0xFF;
  EXPECT_EQ(ReadWordValue(img, Adrw::PROPRIETARY, kSignedFlag), -1);
  EXPECT_EQ(ReadWordValue(img, Adrw::PROPRIETARY, 0), 65535);
  img[2] = 0x34;
  img[3] = 0x12;
  EXPECT_EQ(ReadWordValue(img, Adrw::TPS, 1), 0x1234);
  // The signed flag on an element index addresses the same element.
  EXPECT_EQ(ReadWordValue(img, Adrw::TPS, 1 | kSignedFlag), 0x1234);
}

struct WriteCase {
  int scale, offset, shown;
  uint8_t raw;
};

TEST(ValueConversion, WritesTruncatingTowardZeroAndToFieldWidth) {
  const WriteCase cases[] = {
      {100, 0, 11050, 110},                       // 110.5 truncates to 110
      {100, 0, 199, 1},     {100, 0, -150, 255},  // -1.5 truncates toward zero to -1, stored as 0xFF
      {1, -100, -5, 95},    {1, -100, 0, 100},   {1, 0, 300, 44},  // cut to 8 bits
      {1, 0, -2, 254},      {5, 0, 14, 2},       {5, 0, -14, 254},
  };
  for (const auto& c : cases) {
    Image img{};
    WriteByteValue(img, Adrb::LIMITER, 0, c.scale, c.offset, c.shown);
    EXPECT_EQ(img[Adrb::LIMITER], c.raw) << "shown " << c.shown << " scale " << c.scale;
  }
  Image img{};
  WriteWordValue(img, Adrw::PROPRIETARY, 2 | kSignedFlag, 1, 0, -1);
  EXPECT_EQ(img[2 * 63], 0xFF);
  EXPECT_EQ(img[2 * 63 + 1], 0xFF);
  WriteWordValue(img, Adrw::TPS, 0, 1, 0, 70000);  // cut to 16 bits
  EXPECT_EQ(GetWord(img, Adrw::TPS), 70000 - 65536);
}

TEST(LobeEncoding, NormalAndWideDiffer) {
  // 0xC6: bits 0..5 = 6, bit 6 second edge, bit 7 second pick-up (normal) or +64 (wide)
  Lobe normal = DecodeLobe(0xC6, false);
  EXPECT_EQ(normal.number, 6);
  EXPECT_TRUE(normal.secondEdge);
  EXPECT_TRUE(normal.secondPickup);
  Lobe wide = DecodeLobe(0xC6, true);
  EXPECT_EQ(wide.number, 70);
  EXPECT_TRUE(wide.secondEdge);
  EXPECT_FALSE(wide.secondPickup);
  EXPECT_EQ(EncodeLobe({116, false, false}, true), 0x80 | (116 & 0x3F));
}

TEST(LobeEncoding, EveryByteRoundTripsInBothEncodings) {
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(EncodeLobe(DecodeLobe(uint8_t(b), false), false), b);
    EXPECT_EQ(EncodeLobe(DecodeLobe(uint8_t(b), true), true), b);
  }
}

TEST(AddressMap, ShownValueUsesTheTableEncoding) {
  Image img{};
  img[Adrb::RPM_PULSES] = 254;
  img[Adrb::RPM_CORRECTION] = 97;
  img[Adrb::DWELL_5] = 7;
  EXPECT_EQ(ShownValue(img, *FindParam("RPM_PULSES"), 0), -2);
  EXPECT_EQ(ShownValue(img, *FindParam("RPM_CORRECTION"), 0), -3);
  // DWELL continues after DUR_DISCHARG at byte 185 as its fifth element
  bool found = false;
  for (const ParamInfo& p : ParamTable())
    if (std::string(p.name) == "DWELL" && p.firstElement == 4) {
      EXPECT_EQ(ShownValue(img, p, 0), 7);
      found = true;
    }
  EXPECT_TRUE(found);
}

TEST(AddressMap, UnnamedAddressesAreNotNamed) {
  for (int word : {40, 43, 52, 60, 66, 69}) {
    EXPECT_FALSE(IsNamedByte(2 * word)) << "word " << word;
    EXPECT_FALSE(IsNamedByte(2 * word + 1)) << "word " << word;
  }
  for (int b : {168, 171, 174, 187, 188, 197, 202, 212, 213, 216, 217, 224, 229, 232, 233, 236, 237, 240,
                241, 244, 245, 252, 257, 270, 281, 330, 377, 384, 385, 392, 401, 405, 410, 411, 554})
    EXPECT_FALSE(IsNamedByte(b)) << "byte " << b;
  for (int b : {0, 131, 140, 167, 185, 196, 203, 329, 378, 404, 555, 1049}) EXPECT_TRUE(IsNamedByte(b)) << b;
  EXPECT_EQ(GroupOfByte(Adrb::ADVANCE2 + 149), 3);
  EXPECT_EQ(GroupOfByte(2 * Adrw::PROPRIETARY), 9);
}

}  // namespace
}  // namespace ign
