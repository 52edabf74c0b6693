#pragma once
// The unit information: texts decoded from the 150-byte unit header, the
// version state and text of the link, and the status-bar panel 4 text built
// from them. All texts are UTF-8 (the header holds Windows-1250 bytes).
#include <cstdint>
#include <span>
#include <string>

namespace ign {

constexpr int kUnitHeaderLen = 150;
// The last-update time of a header that holds one that cannot be converted.
constexpr const char* kLastUpdateError = "error";

struct UnitInfo {
  std::string name;            // "ABC07", or the up to 15 characters at 16..30
  std::string productionDate;  // "dd.mm.20yy", a blank tens digit for days below 10
  std::string productionTime;  // "hh:mm"
  std::string code;            // empty unless the header carries a code
  std::string serial;          // empty, "none SN" or the serial number
  std::string lastUpdate;      // empty, "dd.mm.yyyy-hh:mm:ss" (local time) or kLastUpdateError
  std::string owner;           // owner bytes, each run of 0/255 before a character as "~"
};

UnitInfo DecodeUnitInfo(std::span<const uint8_t, kUnitHeaderLen> header);

// Version state of the link: 0 not connected, 1 key or subversion differ, 2 they match.
namespace VersionState {
constexpr int NotConnected = 0, Mismatch = 1, Match = 2;
}

// The last update as the panel and the settings file show it: "(last update: %s)",
// or the field as it stands when it is empty or kLastUpdateError.
std::string LastUpdateCaption(const UnitInfo& info);
// The text of status-bar panel 4.
std::string UnitPanelText(const UnitInfo& info, int versionState, const std::string& versionText);
// The unit part of the settings file's "HW/FW" line: "%s   %s   (%s)   %s   %s".
std::string UnitVersionsText(const UnitInfo& info, const std::string& versionText);

// The unit information as the main window keeps it: decoded when a header has
// been read, reset to "not connected" when the link drops (the texts stay).
class CUnitInfo {
 public:
  void Decode(std::span<const uint8_t, kUnitHeaderLen> header) { info_ = DecodeUnitInfo(header); }
  void Reset() { state_ = VersionState::NotConnected; }
  void SetVersion(int state, std::string text) {
    state_ = state;
    versionText_ = std::move(text);
  }

  const UnitInfo& Texts() const { return info_; }
  int State() const { return state_; }
  const std::string& VersionText() const { return versionText_; }
  std::string PanelText() const { return UnitPanelText(info_, state_, versionText_); }
  std::string VersionsText() const { return UnitVersionsText(info_, versionText_); }

 private:
  UnitInfo info_;
  int state_ = VersionState::NotConnected;
  std::string versionText_;
};

}  // namespace ign
