#pragma once
// Colours of the live display as Windows colour values (0x00BBGGRR), plus two
// system colours, and the one mapping of such a value to what a window paints.
#include <cstdint>

namespace ign {

namespace MonColour {
constexpr uint32_t Normal = 0xFF00000F;   // system colour: button face
constexpr uint32_t Desktop = 0xFF000001;  // system colour: shown as the palette's highlight
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t Green = 0x00FF00;
constexpr uint32_t Yellow = 0x00FFFF;
constexpr uint32_t Aqua = 0xFFFF00;
constexpr uint32_t Fuchsia = 0xFF00FF;
constexpr uint32_t Purple = 0x800080;
constexpr uint32_t Grey = 0x808080;
constexpr uint32_t Olive = 0x008080;  // RGB(128, 128, 0)
constexpr uint32_t White = 0xFFFFFF;
}  // namespace MonColour

// What a window paints for a colour value: a plain RGB colour, or one of
// its palette's roles.
struct PaintColour {
  enum class Role { Rgb, ButtonFace, Highlight };
  Role role = Role::Rgb;
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PaintColour&) const = default;
};

// Windows values map to their RGB; the button-face system colour (and any
// other system colour) to the button face, the desktop colour to the highlight.
PaintColour ToPaintColour(uint32_t windowsColour);

}  // namespace ign
