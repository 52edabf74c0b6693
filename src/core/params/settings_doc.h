#pragma once
// CSettingsDoc: the settings image being worked on, with the two images it is
// measured against (what the unit holds, what the settings file holds) and the
// marks of the bytes not yet programmed. Whether the settings are saved and
// whether the unit holds them follow from the images, so they cannot go stale;
// every change goes through one of the transactions below, each of which tells
// the title and status slot 4 once.
#include <array>
#include <cstdint>
#include <span>

#include "core/base/status_iface.h"
#include "core/params/image.h"

namespace ign {

class CSettingsDoc {
 public:
  using Marks = std::array<uint8_t, RS_LEN_EXE>;  // 1 = byte changed and not yet programmed

  // status: where the comparison is shown; none, nothing is shown.
  explicit CSettingsDoc(IStatus* status = nullptr) : status_(status) {}
  CSettingsDoc(const CSettingsDoc&) = delete;
  CSettingsDoc& operator=(const CSettingsDoc&) = delete;

  const Image& Edited() const { return edited_; }  // "PC settings": what the pages show
  const Image& Unit() const { return unit_; }      // as last read from the unit
  bool UnitValid() const { return unitValid_; }
  const Image& File() const { return file_; }  // as last loaded from or saved to a file
  const Marks& ChangeMarks() const { return marks_; }
  bool Saved() const;            // the edited image equals the file image
  bool IdenticalToUnit() const;  // a unit is known and holds the edited image

  // The working copy the pages' controls and the map editors write into. What
  // they write counts once it is committed (CommitEdit, through the undo ring).
  Image& Working() { return edited_; }

  // ---- Transactions ----
  // An edit was committed: marks the bytes that differ from before; false
  // (and nothing told) when nothing differs.
  bool CommitEdit(const Image& before);
  // Replaces the edited image with a state of the undo ring; the replaced
  // bytes are marked. False when nothing differed.
  bool ApplySnapshot(std::span<const uint8_t> image);
  // An image from elsewhere stands in the editor as it is: a played
  // recording's, the command line's input file.
  void Replace(std::span<const uint8_t> image);
  // A whole read of the unit: the edited image becomes what the unit holds,
  // normalised; the unit image stays what was read. Returns the number of
  // bytes the normalisation corrected. The marks are cleared.
  int ReplaceFromUnit(const uint8_t* image);
  // Marks exactly the bytes in which the edited image differs from the unit's.
  void MarkDifferencesFromUnit();
  // A settings file was read into image (normalised here); whole: it becomes
  // the file image as well.
  void LoadFile(const Image& image, bool whole);
  // The edited image, normalised as written, was saved to a file.
  void MarkSaved(const Image& written);
  // Normalises the edited image; tells only when bytes changed.
  void Normalise();

  // What the unit holds, as far as known (valid false: not known).
  void SetUnit(const Image& image, bool valid);
  void SetUnit(std::span<const uint8_t> image);
  // One range of a check read, told once the whole check has ended (ConfirmUnit).
  void SetUnitRange(int start, int end, const uint8_t* image);
  void ConfirmUnit();
  // The unit went away: nothing is known of what it holds.
  void ForgetUnit();
  void ClearMarks() { marks_.fill(0); }

  // What a played recording puts back when it ends.
  struct Kept {
    Image edited{}, unit{};
    bool unitValid = false;
  };
  Kept Keep() const { return {edited_, unit_, unitValid_}; }
  void Restore(const Kept& kept);

  // Tells the title and slot 4 again without a change (the title's other
  // pieces changed).
  void Announce();

 private:
  IStatus* status_;
  Image edited_{};
  Image unit_{};
  bool unitValid_ = false;
  Image file_{};
  Marks marks_{};
};

}  // namespace ign
