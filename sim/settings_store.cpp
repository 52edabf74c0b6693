#include "sim/settings_store.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "sim/default_image.h"

namespace ign::sim {

SettingsStore::SettingsStore() : image_(DefaultImage()) {}

std::optional<SettingsStore> SettingsStore::Open(const std::string& path, std::string* error) {
  SettingsStore s;
  s.path_ = path;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (!s.Save()) {
      if (error) *error = "cannot create settings file " + path;
      return std::nullopt;
    }
    return s;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != s.image_.size()) {
    if (error)
      *error = "settings file " + path + " has " + std::to_string(bytes.size()) + " bytes, expected " +
               std::to_string(s.image_.size());
    return std::nullopt;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) s.image_[i] = static_cast<std::uint8_t>(bytes[i]);
  return s;
}

bool SettingsStore::Write(std::size_t address, const std::uint8_t* data, std::size_t length) {
  for (std::size_t i = 0; i < length && address + i < image_.size(); ++i) image_[address + i] = data[i];
  return Save();
}

bool SettingsStore::Save() {
  if (path_.empty()) return true;
  const std::string tmp = path_ + ".tmp";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < image_.size()) {
    const ssize_t w = ::write(fd, image_.data() + done, image_.size() - done);
    if (w <= 0) {
      ::close(fd);
      ::unlink(tmp.c_str());
      return false;
    }
    done += static_cast<std::size_t>(w);
  }
  // Written and renamed, the file outlives this process however it ends; no
  // fsync: the unit answers a write block from its memory, and a disk flush
  // per block would hold the answer back by the disk's latency.
  if (::close(fd) != 0 || std::rename(tmp.c_str(), path_.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace ign::sim
