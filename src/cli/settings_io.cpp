#include "cli/settings_io.h"

#include <algorithm>
#include <cctype>

#include "core/app/default_ini.h"
#include "core/base/atomic_file.h"
#include "core/files/ign_reader.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"

namespace ign::cli {
namespace {

class CollectMessages : public IFileMessages {
 public:
  void ShowMessage(const std::string& text) override { messages += (messages.empty() ? "" : "; ") + text; }
  std::string messages;
};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

}  // namespace

FileKind KindOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return FileKind::Unknown;
  const std::string ext = Lower(path.substr(dot + 1));
  if (ext == "ign") return FileKind::Ign;
  if (ext == "bin") return FileKind::Bin;
  if (ext == "ini") return FileKind::Ini;
  return FileKind::Unknown;
}

Image DefaultSettings() {
  Image img = StartupImage();
  NormaliseImage(img);
  return img;
}

bool LoadSettings(const std::string& path, Image& img, bool raw, std::string& error) {
  Image work = img;
  switch (KindOf(path)) {
    case FileKind::Ign: {
      CDefaults defaults;
      CollectMessages messages;
      IgnReadOptions options;
      options.showMessages = true;
      IgnReadResult r = ReadSettingsFile(path, work, defaults, options, &messages);
      if (!r.Accepted()) {
        switch (r.status) {
          case IgnReadStatus::OpenFailed: error = path + ": cannot be read"; break;
          case IgnReadStatus::TooLarge: error = path + ": too large for a settings file"; break;
          case IgnReadStatus::NoKey: error = path + ": not a settings file (no key line)"; break;
          default:
            error = path + ": settings file of an unknown version (" + std::to_string(r.version) + ")";
            break;
        }
        if (!messages.messages.empty()) error += " - " + messages.messages;
        return false;
      }
      break;
    }
    case FileKind::Bin: {
      std::string bytes;
      if (!ReadWholeFile(path, bytes)) {
        error = path + ": cannot be read";
        return false;
      }
      if (bytes.size() != size_t(RS_LEN_EXE)) {
        error = path + ": holds " + std::to_string(bytes.size()) + " bytes, not a " +
                std::to_string(RS_LEN_EXE) + "-byte settings block";
        return false;
      }
      std::copy(bytes.begin(), bytes.end(), work.begin());
      break;
    }
    case FileKind::Ini: {
      std::string text;
      if (!ReadWholeFile(path, text)) {
        error = path + ": cannot be read";
        return false;
      }
      const size_t n = ParseImageText(text, work.data(), RS_LEN_EXE);
      if (n != size_t(RS_LEN_EXE)) {
        error =
            path + ": damaged, only " + std::to_string(n) + " of " + std::to_string(RS_LEN_EXE) + " values";
        return false;
      }
      break;
    }
    case FileKind::Unknown: error = path + ": unknown file type (use .ign, .bin or .ini)"; return false;
  }
  if (!raw) NormaliseImage(work);
  img = work;
  return true;
}

bool SaveSettings(const std::string& path, const Image& img, const IgnVersions& versions,
                  std::string& error) {
  bool ok = false;
  switch (KindOf(path)) {
    case FileKind::Ign: ok = SaveSettingsFile(path, img, versions); break;
    case FileKind::Bin:
      ok = WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE));
      break;
    case FileKind::Ini: ok = WriteImageFile(path, img.data(), RS_LEN_EXE); break;
    case FileKind::Unknown: error = path + ": unknown file type (use .ign, .bin or .ini)"; return false;
  }
  if (!ok) error = path + ": cannot be written";
  return ok;
}

}  // namespace ign::cli
