#pragma once
// Colours of the map editor. Colours are kept as Windows colour values
// (0x00BBGGRR) as the model stores them, and converted here only.
#include <QColor>
#include <cstdint>

namespace ign::mapedit_palette {

inline QColor WinColour(uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

inline constexpr uint32_t kButtonLight = 0xFFFFFF;
inline constexpr uint32_t kButtonDark = 0xC0C0C0;
inline constexpr uint32_t kGrid = 0xE4D6D4;
inline constexpr uint32_t kSelectionTint = 0xF4EEEC;
inline constexpr uint32_t kTypedHighlight = 0xFF8844;
inline constexpr uint32_t kSelectorPartly = 0xC0C0C0;
inline constexpr uint32_t kSelectorFully = 0x808080;
inline constexpr uint32_t kPreviewText = 0x00AAAA;
inline constexpr uint32_t kLiveActive = 0x44F444;
inline constexpr uint32_t kLiveOther = 0x44F4F4;
inline constexpr uint32_t kGreyText = 0x808080;
inline constexpr uint32_t kButtonFace = 0xF0F0F0;
inline constexpr uint32_t kSelectionFrame = 0x804020;  // dark blue frame of the selection box
inline constexpr uint32_t kTypedFlash = 0x50C8FF;      // a typed value stored otherwise (amber)

}  // namespace ign::mapedit_palette
