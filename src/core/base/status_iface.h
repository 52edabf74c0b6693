#pragma once
// What the engine needs from the status display: the message slots and the
// window title. The status slots object implements it; tests may supply a fake.
#include <cstdint>

namespace ign {

// 32-bit colour values, low byte red.
namespace Colour {
constexpr uint32_t ButtonFace = 0xFF00000F;  // the normal background
constexpr uint32_t Red = 0x000000FF;
constexpr uint32_t Yellow = 0x0000FFFF;
constexpr uint32_t Green = 0x0000FF00;
constexpr uint32_t White = 0x00FFFFFF;
constexpr uint32_t Black = 0x00000000;
constexpr uint32_t Aqua = 0x00FFFF00;
constexpr uint32_t None = 0x1FFFFFFF;  // leave this colour as it is
}  // namespace Colour

namespace Slot {
constexpr int Connection = 1;
constexpr int Result = 2;
constexpr int Congruence = 4;
}  // namespace Slot

class IStatus {
 public:
  virtual ~IStatus() = default;
  // packed: a language-packed text, or nullptr to clear the slot.
  virtual void ShowStatus(int slot, const char* packed, int durationMs, uint32_t fontColour,
                          uint32_t backColour, int priority) = 0;
  virtual void RefreshTitle() = 0;
};

}  // namespace ign
