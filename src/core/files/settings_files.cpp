#include "core/files/settings_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/files/quicksave.h"
#include "core/params/normalise.h"
#include "core/text/messages.h"

namespace ign {
namespace {

constexpr int kMsgOpenFileError = 33;

void ClearResultSlot(IStatus& status) {
  status.ShowStatus(Slot::Result, nullptr, -1, Colour::None, Colour::None, 10);
}

// A regular file that can be opened for reading (not a folder, nor a pipe that would wait for a writer).
bool CanOpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

bool HasExtensionDot(const std::string& path) {
  return std::filesystem::path(path).filename().string().find('.') != std::string::npos;
}

}  // namespace

IgnReadResult CSettingsFiles::LoadSettingsFile(const std::string& path, int group) {
  if (!CanOpenForReading(path)) {
    host_.ShowMessage(Msg(kMsgOpenFileError));
    host_.RemoveRecent(path);
    ClearResultSlot(status_);
    return {};
  }
  host_.CommitPendingChange();

  IgnReadOptions options;
  options.developerTest = developerTest;
  Image image = state_.Edited();
  const IgnReadResult first = ReadSettingsFile(path, image, defaults_, options, &host_);
  if (first.bikeSection) defaults_.LoadDefaults(image, group);
  options.showMessages = true;
  const IgnReadResult result = ReadSettingsFile(path, image, defaults_, options, &host_);

  // Only a file that was read whole becomes the file image: the title must
  // not call the image saved as a file that it was not loaded from.
  const bool whole = result.Accepted() && !result.Damaged();
  state_.LoadFile(image, whole);
  host_.ReloadAllPages();
  if (result.Accepted()) {
    if (newInstallation) *newInstallation = 0;
    host_.SnapshotAndCommit();
    session.lastPath = path;
    if (whole) {
      session.dialogFile = session.currentFile = path;
      state_.Announce();  // the title takes the new name
      host_.AddRecent(path);
    } else {
      // What was read stands as a document not saved yet, as after New: no
      // file name (an empty current entry in the recent list), so Save asks
      // for one, starting in the damaged file's folder.
      session.currentFile.clear();
      host_.AddRecent("");
      session.dialogFile = std::filesystem::path(path).parent_path().string();
      if (!session.dialogFile.empty() && session.dialogFile.back() != '/') session.dialogFile += '/';
      state_.Announce();
    }
  }
  ClearResultSlot(status_);
  return result;
}

IgnReadResult CSettingsFiles::OpenConfirmed(const std::string& path, int group) {
  if (newInstallation && *newInstallation) {
    *newInstallation = 0;
    host_.WriteAppSettings();
  }
  session.fileIsCurrent = true;
  return LoadSettingsFile(path, group);
}

bool CSettingsFiles::WriteCurrent(const std::string& path) {
  host_.StoreActivePage();
  Image img = state_.Edited();
  NormaliseImage(img);
  if (!SaveSettingsFile(path, img, host_.Versions())) return false;
  state_.MarkSaved(img);
  host_.LoadActivePage();
  return true;
}

bool CSettingsFiles::Save(const std::string& path) {
  if (!WriteCurrent(path)) {
    host_.ShowMessage(Msg(kMsgOpenFileError));
    return false;
  }
  session.dialogFile = session.currentFile = session.lastPath = path;
  state_.Announce();  // the title takes the new name
  host_.AddRecent(path);
  session.fileIsCurrent = true;
  return true;
}

bool CSettingsFiles::QuicksaveInsteadOfSave() const {
  return session.fileIsCurrent && HasExtensionDot(session.currentFile);
}

QuicksaveStatus CSettingsFiles::QuicksaveVersion(std::string* written) {
  if (!QuicksaveInsteadOfSave()) return QuicksaveStatus::UseSave;
  const std::string name = NextQuicksaveName(session.currentFile);
  if (name.empty() || !WriteCurrent(name)) return QuicksaveStatus::Failed;
  // The title shows the copy once; the current file stays what it was.
  const std::string current = session.currentFile;
  session.currentFile = name;
  state_.Announce();
  session.currentFile = current;
  if (written) *written = name;
  return QuicksaveStatus::Written;
}

std::string CSettingsFiles::DefaultFile(const std::string& exeFolder) {
  return (std::filesystem::path(exeFolder) / kIgnDefaultFile).string();
}

void CSettingsFiles::PresetDefaultFile(const std::string& exeFolder) {
  session.dialogFile = DefaultFile(exeFolder);
}

}  // namespace ign
