#pragma once
// Raw <-> shown value conversion: shown = (raw + offset) * scale,
// raw = shown / scale - offset (truncating toward zero, then cut to the field width).
#include "core/params/image.h"

namespace ign {

// element may carry kSignedFlag: the raw value is then read as int16 / int8.
int ReadWordValue(const Image& img, int adrw, int element, int scale = 1, int offset = 0);
int ReadByteValue(const Image& img, int adrb, int element, int scale = 1, int offset = 0);
void WriteWordValue(Image& img, int adrw, int element, int scale, int offset, int shown);
void WriteByteValue(Image& img, int adrb, int element, int scale, int offset, int shown);

// Pure conversions, shared by the bindings, the settings file and the command line.
constexpr int RawToShown(int raw, int scale, int offset) { return (raw + offset) * scale; }
constexpr int ShownToRaw(int shown, int scale, int offset) { return shown / scale - offset; }

}  // namespace ign
