#pragma once
// The maps of one power output in their map editors: the switch map (three
// rpm points, two load points, on/off regions between them) and the PWM map
// (six rpm points, four load points, a duty or a period per cell), loaded
// from the image, laid out by the output's function and the load sensor,
// and copied back. Plain C++ on the editors' models, so the rules are
// tested without widgets.
#include "core/mapedit/model.h"
#include "core/params/image.h"

namespace ign {

// Switch map: table and 2D views in the compact layout (regions between the
// axis values). PWM map: the same views in the normal layout.
constexpr uint32_t kSwitchEditorFlags = 8240;
constexpr uint32_t kPwmEditorFlags = kSwitchEditorFlags & ~EditorFlag::kCompact;
constexpr int kSwitchEditorIdentifier = 25;  // + output index
constexpr int kPwmEditorIdentifier = 33;     // + output index

// Output functions (POWER_OUT_FUNCTION).
namespace PowerOutFunction {
constexpr int kOff = 0, kFuelPump = 1, kShiftLight = 2, kThree = 3, kSpecial = 255, kSpecialPwm = 254,
              kSpecialPulse = 253;
}

// The value the gear shift light's region between its two rpm points shows
// (drawn as a half-filled region); it stores as on.
constexpr int32_t kShiftLightBlink = 3;

// Adds the one sheet of each editor with its axes and font sizes.
void BuildSwitchSheet(CTabModel& model);
void BuildPwmSheet(CTabModel& model);

// The switch map's layout for a function: the rpm and load counts, whether
// the regions may be changed, the collapse of the load axis (forced for the
// gear shift light, and without a load sensor) and the step between the
// rpm points (0 for the gear shift light: its points may meet). The gear
// shift light's collapsed load axis shows the first row. Functions without
// a switch map keep the layout as it was.
void LayOutSwitchMap(CTabModel& model, int function, int loadSensor);
// A load axis (Y of either map) for the load sensor: the pressure sensor
// reads "IAP" in kPa up to 999; the throttle sensor, and no sensor, "TP" in
// percent up to 100.
void SetLoadAxis(CAxe& y, int loadSensor);
// The PWM map's data for a function: a period in 50 ms steps shown in
// seconds from (POWER_OUT_SPULSE + 9) / 10 up to 200 for Special Pulse, a
// duty of 0..100 % otherwise.
void SetPwmData(CTabModel& model, int function, int pulse);

// The maps of output (0 or 1) from the image, normalised. With the throttle
// sensor the load points show at most 99 and 100 (the editor's limits; the
// image is not changed). The gear shift light marks its middle region.
void LoadSwitchMap(CTabModel& model, const Image& img, int output);
void LoadPwmMap(CTabModel& model, const Image& img, int output);

// The maps back into the image: the rpm points, the load points, the masks
// (a region is on when odd) and the PWM cells.
void StoreSwitchMap(const CTabModel& model, Image& img, int output);
void StorePwmMap(const CTabModel& model, Image& img, int output);

}  // namespace ign
