#pragma once
// The file commands of the settings file without their dialogs: Open (and the
// recent-file list and dropped files), Save and "Quicksave version". The main
// window runs the dialogs and passes the chosen path; ignctl calls the same.
#include <string>

#include "core/base/status_iface.h"
#include "core/files/file_messages.h"
#include "core/files/ign_reader.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/settings_doc.h"

namespace ign {

// What the file commands need from the window around them. Every hook but
// ShowMessage may stay empty (ignctl, tests).
class IFileHost : public IFileMessages {
 public:
  // Focus to the "Programming after change" box and commit a pending control change.
  virtual void CommitPendingChange() {}
  virtual void StoreActivePage() {}
  virtual void LoadActivePage() {}
  // Controls of all pages and the map editors, from the edited image.
  virtual void ReloadAllPages() {}
  // Undo snapshot and commit of a loaded image.
  virtual void SnapshotAndCommit() {}
  virtual void AddRecent(const std::string& /*path*/) {}
  virtual void RemoveRecent(const std::string& /*path*/) {}
  // Writes the application settings at once.
  virtual void WriteAppSettings() {}
  // The unit texts for the "VERSIONS" block at the time of writing.
  virtual IgnVersions Versions() { return {}; }
};

// File names the commands keep for the run.
struct FileSession {
  std::string currentFile;     // shown in the title while the image is saved
  std::string lastPath;        // the last folder path (IniFileDir)
  std::string dialogFile;      // file name the Open and Save dialogs start with
  bool fileIsCurrent = false;  // a file was opened or saved this run: "Quicksave version" enabled
};

enum class QuicksaveStatus {
  UseSave,  // no file is current or its name has no ".": run Save instead
  Written,
  Failed,  // the file could not be written; nothing is reported
};

class CSettingsFiles {
 public:
  CSettingsFiles(CSettingsDoc& state, CDefaults& defaults, IFileHost& host, IStatus& status)
      : state_(state), defaults_(defaults), host_(host), status_(status) {}

  FileSession session;
  int* newInstallation = nullptr;  // the application settings' new-installation flag
  bool developerTest = false;      // read the cross transformations too

  // The Open sequence (Open dialog, recent-file list, dropped file). A file
  // that was read but is damaged (result.damage) is not taken as the saved
  // file: no current file name (an empty recent entry, as after New), and the dialogs
  // start in its folder without a name. The caller shows the warning.
  IgnReadResult LoadSettingsFile(const std::string& path, int group = -1);
  // The Open dialog was confirmed: clears the new-installation flag, marks a
  // file current, then LoadSettingsFile.
  IgnReadResult OpenConfirmed(const std::string& path, int group = -1);
  // Save to path (the Save dialog was confirmed); false after "Open file error!".
  bool Save(const std::string& path);
  // "Quicksave version": the next numbered copy of the current file. written
  // receives its name.
  QuicksaveStatus QuicksaveVersion(std::string* written = nullptr);
  // Shift on the Save button asks for "Quicksave version" instead of Save.
  bool QuicksaveInsteadOfSave() const;

  // "Open from exe dir", "Save to exe dir", Ctrl on the speed buttons.
  void PresetDefaultFile(const std::string& exeFolder);
  static std::string DefaultFile(const std::string& exeFolder);

 private:
  // Store the page, normalise, write; on success the image is the file image.
  bool WriteCurrent(const std::string& path);

  CSettingsDoc& state_;
  CDefaults& defaults_;
  IFileHost& host_;
  IStatus& status_;
};

}  // namespace ign
