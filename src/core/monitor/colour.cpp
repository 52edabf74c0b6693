#include "core/monitor/colour.h"

namespace ign {

PaintColour ToPaintColour(uint32_t c) {
  PaintColour p;
  if ((c & 0xFF000000u) != 0) {
    p.role = c == MonColour::Desktop ? PaintColour::Role::Highlight : PaintColour::Role::ButtonFace;
    return p;
  }
  p.r = uint8_t(c & 0xFF);
  p.g = uint8_t((c >> 8) & 0xFF);
  p.b = uint8_t((c >> 16) & 0xFF);
  return p;
}

}  // namespace ign
