#include "ui/pages/binding.h"

#include "core/params/value.h"

namespace ign {

void LoadWord(TLoadGuard& guard, TUpDown* upDown, const Image& img, int adrw, int element, int offset) {
  SetUpDownValue(guard, upDown, ReadWordValue(img, adrw, element, 1, offset));
}

void StoreWord(const TUpDown* upDown, Image& img, int adrw, int element, int offset) {
  WriteWordValue(img, adrw, element, 1, offset, upDown->value());
}

void LoadByte(TLoadGuard& guard, TUpDown* upDown, const Image& img, int adrb, int element, int scale,
              int offset) {
  SetUpDownValue(guard, upDown, ReadByteValue(img, adrb, element, scale, offset));
}

void StoreByte(const TUpDown* upDown, Image& img, int adrb, int element, int scale, int offset) {
  WriteByteValue(img, adrb, element, scale, offset, upDown->value());
}

void LoadParam(TLoadGuard& guard, TUpDown* upDown, const Image& img, const ParamDescriptor& d, int element) {
  const int flag = d.info->isSigned ? kSignedFlag : 0;
  LoadByte(guard, upDown, img, d.info->address, element | flag, d.Scale(), d.Offset());
}

void StoreParam(const TUpDown* upDown, Image& img, const ParamDescriptor& d, int element) {
  StoreByte(upDown, img, d.info->address, element, d.Scale(), d.Offset());
}

void LoadCheck(TLoadGuard& guard, QCheckBox* box, const Image& img, int adrb, int element) {
  SetCheck(guard, box, ReadByteValue(img, adrb, element) != 0);
}

void StoreCheck(const QCheckBox* box, Image& img, int adrb, int element) {
  WriteByteValue(img, adrb, element, 1, 0, box->isChecked() ? 1 : 0);
}

void LoadRadioIndex(TLoadGuard& guard, TRadioGroup* group, const Image& img, int adrb, int element) {
  const int index = ReadByteValue(img, adrb, element);
  SetRadioIndex(guard, group, index < group->Count() ? index : -1);
}

void StoreRadioIndex(const TRadioGroup* group, Image& img, int adrb, int element) {
  if (group->ItemIndex() >= 0) WriteByteValue(img, adrb, element, 1, 0, group->ItemIndex());
}

void LoadRadioValue(TLoadGuard& guard, TRadioGroup* group, const Image& img, int adrb, int element) {
  SelectByValue(guard, group, ReadByteValue(img, adrb, element));
}

void StoreRadioValue(const TRadioGroup* group, Image& img, int adrb, int element) {
  if (group->ItemIndex() >= 0) WriteByteValue(img, adrb, element, 1, 0, SelectedValue(group));
}

void LoadComboValue(TLoadGuard& guard, QComboBox* combo, const Image& img, int adrb, int element) {
  SelectByValue(guard, combo, ReadByteValue(img, adrb, element));
}

void StoreComboValue(const QComboBox* combo, Image& img, int adrb, int element) {
  if (combo->currentIndex() >= 0) WriteByteValue(img, adrb, element, 1, 0, SelectedValue(combo));
}

}  // namespace ign
