#include "core/params/value.h"

namespace ign {
namespace {
constexpr int Index(int element) { return element & ~int(kSignedFlag); }
constexpr bool IsSigned(int element) { return (element & kSignedFlag) != 0; }
}  // namespace

int ReadWordValue(const Image& img, int adrw, int element, int scale, int offset) {
  uint16_t w = GetWord(img, adrw + Index(element));
  int raw = IsSigned(element) ? int(int16_t(w)) : int(w);
  return RawToShown(raw, scale, offset);
}

int ReadByteValue(const Image& img, int adrb, int element, int scale, int offset) {
  uint8_t b = img[adrb + Index(element)];
  int raw = IsSigned(element) ? int(int8_t(b)) : int(b);
  return RawToShown(raw, scale, offset);
}

void WriteWordValue(Image& img, int adrw, int element, int scale, int offset, int shown) {
  SetWord(img, adrw + Index(element), uint16_t(ShownToRaw(shown, scale, offset)));
}

void WriteByteValue(Image& img, int adrb, int element, int scale, int offset, int shown) {
  img[adrb + Index(element)] = uint8_t(ShownToRaw(shown, scale, offset));
}

}  // namespace ign
