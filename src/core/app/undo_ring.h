#pragma once
// Undo and redo of committed parameter edits: a ring of image snapshots with
// the page each change was made on.
#include <array>
#include <vector>

#include "core/params/settings_doc.h"

namespace ign {

constexpr int kUndoEntries = 200;

class IUndoHost {
 public:
  virtual ~IUndoHost() = default;
  virtual int ActivePage() const = 0;
  virtual void ShowPage(int page) = 0;  // as if the user clicked the page's tab
  virtual void LoadPages(int page) = 0;
  virtual void WriteSettings() = 0;  // application settings and the image to disk
  virtual void RecordImage(const Image& /*img*/) {}
  virtual void SetUndoButtons(bool canUndo, bool canRedo) = 0;
  virtual bool ProgramAfterChange() const = 0;
  virtual void RequestProgramChanged() = 0;
  virtual void FocusProgramAfterChange() {}
};

class CUndoRing {
 public:
  CUndoRing(CSettingsDoc& params, IUndoHost& host);

  void ResetUndo();
  bool TakeSnapshot();  // true when the image differed from the current entry
  void Undo();
  void Redo();
  void RefreshUndoButtons();

  bool CanUndo() const { return current_ != oldest_; }
  bool CanRedo() const { return current_ != newest_; }

 private:
  struct Entry {
    std::array<uint8_t, RS_LEN_EXE> image{};
    int page = 0;
  };

 public:
  // The whole history, to be put back after something replaced the image
  // for a while (playback of a recording).
  struct History {
    std::vector<Entry> ring;
    int current = 0, oldest = 0, newest = 0;
  };
  History Keep() const { return {ring_, current_, oldest_, newest_}; }
  void Restore(const History& h) {
    ring_ = h.ring;
    current_ = h.current;
    oldest_ = h.oldest;
    newest_ = h.newest;
    RefreshUndoButtons();
  }

 private:
  void Store(int position);
  void ApplyCurrent(int pageSource);
  static int Next(int p) { return (p + 1) % kUndoEntries; }
  static int Prev(int p) { return (p + kUndoEntries - 1) % kUndoEntries; }

  CSettingsDoc& params_;
  IUndoHost& host_;
  std::vector<Entry> ring_;
  int current_ = 0, oldest_ = 0, newest_ = 0;
};

}  // namespace ign
