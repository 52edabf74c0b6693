// The unit's non-volatile settings block, kept in a file across runs.
#pragma once

#include <optional>
#include <string>

#include "sim/image_layout.h"

namespace ign::sim {

class SettingsStore {
 public:
  // In-memory store with the default settings (nothing is written).
  SettingsStore();

  // Opens the block stored at path; a missing file is created with the defaults.
  // A file of any other size than the block is refused (error text set), never overwritten.
  static std::optional<SettingsStore> Open(const std::string& path, std::string* error);

  const Image& image() const { return image_; }
  const std::string& path() const { return path_; }

  // Writes bytes at address (bytes past the block are ignored) and stores the block.
  // Returns false when the file could not be written.
  bool Write(std::size_t address, const std::uint8_t* data, std::size_t length);
  bool Save();

 private:
  Image image_{};
  std::string path_;
};

}  // namespace ign::sim
