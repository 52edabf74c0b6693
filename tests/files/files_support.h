#pragma once
// Shared pieces of the settings-file tests: a host that records what the file
// commands ask of the window, a status sink, a temporary folder.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/status_iface.h"
#include "core/files/settings_files.h"
#include "core/text/language.h"
#include "core/text/messages.h"

namespace ign::test {

class RecordingHost : public IFileHost {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ReloadAllPages() override { ++reloads; }
  void SnapshotAndCommit() override { ++commits; }
  void AddRecent(const std::string& path) override { recentAdded.push_back(path); }
  void RemoveRecent(const std::string& path) override { recentRemoved.push_back(path); }
  void WriteAppSettings() override { ++appSettingsWrites; }
  IgnVersions Versions() override { return versions; }

  std::vector<std::string> messages;
  std::vector<std::string> recentAdded, recentRemoved;
  int reloads = 0, commits = 0, appSettingsWrites = 0;
  IgnVersions versions;
};

class RecordingStatus : public IStatus {
 public:
  void ShowStatus(int slot, const char* packed, int, uint32_t, uint32_t, int) override {
    if (slot == Slot::Result && !packed) ++resultClears;
  }
  void RefreshTitle() override { ++titles; }
  int resultClears = 0, titles = 0;
};

// Message-table texts in English, as the window has them after RelabelAll.
inline void UseEnglishMessages() {
  SetLanguage(LNG_ENGLISH);
  FillMessages();
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ign-files-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteText(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace ign::test
