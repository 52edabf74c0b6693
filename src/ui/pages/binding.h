#pragma once
// The binding operations: a control's state to a parameter of the image and
// back, all through the one value conversion of the image
// (shown = (raw + offset) x scale, raw = shown / scale - offset).
// "element" is added to the address and may carry kSignedFlag.
//
// Lists whose byte holds a value that no item carries show no selection;
// storing such a list keeps the byte as it was, so a value the user never
// touched survives later edits on the page.
#include <QCheckBox>
#include <QComboBox>

#include "core/params/image.h"
#include "core/params/param_descriptors.h"
#include "ui/pages/controls.h"

namespace ign {

void LoadWord(TLoadGuard& guard, TUpDown* upDown, const Image& img, int adrw, int element, int offset = 0);
void StoreWord(const TUpDown* upDown, Image& img, int adrw, int element, int offset = 0);
void LoadByte(TLoadGuard& guard, TUpDown* upDown, const Image& img, int adrb, int element, int scale = 1,
              int offset = 0);
void StoreByte(const TUpDown* upDown, Image& img, int adrb, int element, int scale = 1, int offset = 0);
// A number field of a described parameter: its conversion (and sign) from
// the address map.
void LoadParam(TLoadGuard& guard, TUpDown* upDown, const Image& img, const ParamDescriptor& d,
               int element = 0);
void StoreParam(const TUpDown* upDown, Image& img, const ParamDescriptor& d, int element = 0);
void LoadCheck(TLoadGuard& guard, QCheckBox* box, const Image& img, int adrb, int element = 0);
void StoreCheck(const QCheckBox* box, Image& img, int adrb, int element = 0);
void LoadRadioIndex(TLoadGuard& guard, TRadioGroup* group, const Image& img, int adrb, int element = 0);
void StoreRadioIndex(const TRadioGroup* group, Image& img, int adrb, int element = 0);
void LoadRadioValue(TLoadGuard& guard, TRadioGroup* group, const Image& img, int adrb, int element = 0);
void StoreRadioValue(const TRadioGroup* group, Image& img, int adrb, int element = 0);
void LoadComboValue(TLoadGuard& guard, QComboBox* combo, const Image& img, int adrb, int element = 0);
void StoreComboValue(const QComboBox* combo, Image& img, int adrb, int element = 0);

}  // namespace ign
