#pragma once
// The settings-file commands' view of the main window.
#include <functional>
#include <string>

#include "core/files/settings_files.h"

namespace ign {

class TMainForm;

// Replaces the Save dialog (tests): given the name the dialog would start
// with, returns the chosen path, empty for cancel. Empty restores the dialog.
using SaveNameChooser = std::function<std::string(const std::string& preset)>;
void SetSaveNameChooser(SaveNameChooser chooser);

class TFileHost : public IFileHost {
 public:
  explicit TFileHost(TMainForm& form) : form_(form) {}
  void ShowMessage(const std::string& text) override;
  void CommitPendingChange() override;
  void StoreActivePage() override;
  void LoadActivePage() override;
  void ReloadAllPages() override;
  void AddRecent(const std::string& path) override;
  void RemoveRecent(const std::string& path) override;
  void WriteAppSettings() override;
  void SnapshotAndCommit() override;
  IgnVersions Versions() override;

 private:
  TMainForm& form_;
};

}  // namespace ign
