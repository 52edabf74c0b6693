#include "core/params/settings_doc.h"

#include <algorithm>
#include <cstring>

#include "core/params/normalise.h"
#include "core/params/param_state.h"

namespace ign {

bool CSettingsDoc::Saved() const { return CountDifferences(edited_, file_) == 0; }

bool CSettingsDoc::IdenticalToUnit() const { return unitValid_ && CountDifferences(edited_, unit_) == 0; }

void CSettingsDoc::Announce() {
  if (!status_) return;
  status_->RefreshTitle();
  if (!unitValid_) {
    status_->ShowStatus(Slot::Congruence, nullptr, 0, Colour::None, Colour::None, 10);
  } else if (!IdenticalToUnit()) {
    status_->ShowStatus(Slot::Congruence,
                        "###Unit and PC settings are different##Einrichten der Einheit und der PC sind "
                        "anders##Nastavení v jednotce a PC se liší",
                        -1, Colour::Black, Colour::Yellow, 10);
  } else {
    status_->ShowStatus(Slot::Congruence,
                        "###Unit and PC settings are identical##Einrichten des Einheit und der PC ist die "
                        "gleichen##Nastavení v jednotce a PC je shodné",
                        4000, Colour::Black, Colour::Green, 10);
  }
}

bool CSettingsDoc::CommitEdit(const Image& before) {
  bool changed = false;
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (edited_[i] != before[i]) {
      marks_[i] = 1;
      changed = true;
    }
  if (changed) Announce();
  return changed;
}

bool CSettingsDoc::ApplySnapshot(std::span<const uint8_t> image) {
  bool changed = false;
  const int n = std::min<int>(RS_LEN_EXE, int(image.size()));
  for (int i = 0; i < n; ++i)
    if (edited_[i] != image[i]) {
      edited_[i] = image[i];
      marks_[i] = 1;
      changed = true;
    }
  Announce();
  return changed;
}

void CSettingsDoc::Replace(std::span<const uint8_t> image) {
  std::copy_n(image.begin(), std::min<size_t>(image.size(), RS_LEN_EXE), edited_.begin());
  Announce();
}

int CSettingsDoc::ReplaceFromUnit(const uint8_t* image) {
  marks_.fill(0);
  std::memcpy(edited_.data(), image, RS_LEN_EXE);
  NormaliseImage(edited_);
  int corrections = 0;
  for (int i = 0; i < RS_LEN_EXE; ++i) corrections += edited_[i] != image[i];
  // The unit image is what the unit holds; corrections stay visible as a difference.
  std::memcpy(unit_.data(), image, RS_LEN_EXE);
  unitValid_ = true;
  Announce();
  return corrections;
}

void CSettingsDoc::MarkDifferencesFromUnit() {
  for (int i = 0; i < RS_LEN_EXE; ++i) marks_[size_t(i)] = edited_[size_t(i)] != unit_[size_t(i)] ? 1 : 0;
}

void CSettingsDoc::LoadFile(const Image& image, bool whole) {
  edited_ = image;
  NormaliseImage(edited_);
  if (whole) file_ = edited_;
  Announce();
}

void CSettingsDoc::MarkSaved(const Image& written) {
  edited_ = written;
  file_ = written;
  Announce();
}

void CSettingsDoc::Normalise() {
  const Image before = edited_;
  NormaliseImage(edited_);
  if (CountDifferences(before, edited_) != 0) Announce();
}

void CSettingsDoc::SetUnit(const Image& image, bool valid) {
  unit_ = image;
  unitValid_ = valid;
  Announce();
}

void CSettingsDoc::SetUnit(std::span<const uint8_t> image) {
  std::copy_n(image.begin(), std::min<size_t>(image.size(), RS_LEN_EXE), unit_.begin());
  unitValid_ = true;
  Announce();
}

void CSettingsDoc::SetUnitRange(int start, int end, const uint8_t* image) {
  start = std::max(start, 0);
  end = std::min(end, RS_LEN_EXE);
  if (start < end) std::memcpy(unit_.data() + start, image + start, size_t(end - start));
}

void CSettingsDoc::ConfirmUnit() {
  unitValid_ = true;
  Announce();
}

void CSettingsDoc::ForgetUnit() {
  unitValid_ = false;
  Announce();
}

void CSettingsDoc::Restore(const Kept& kept) {
  edited_ = kept.edited;
  unit_ = kept.unit;
  unitValid_ = kept.unitValid;
  Announce();
}

}  // namespace ign
