#pragma once
// The COM menu as data: which of its 30 items show which port, checked,
// enabled or as radio items, and what a click on an item does to the
// configured port and the link.
#include <array>
#include <string>

namespace ign {

constexpr int kComMenuItems = 30;
constexpr int kHighestPort = 255;
// Configured port values: -1 search off, 0 automatic, n > 0 only port n.
constexpr int kPortOffline = -1;
constexpr int kPortAuto = 0;

// The ports the system offers (numbers 0..255). The serial layer implements it.
class IPortList {
 public:
  virtual ~IPortList() = default;
  virtual bool PortPresent(int port) const = 0;
  // The device behind the number, shown beside it; empty when not worth showing.
  virtual std::string PortDevice(int port) const {
    (void)port;
    return {};
  }
  // True when another program holds the port, as far as the last try to open it knows.
  virtual bool PortInUse(int port) const {
    (void)port;
    return false;
  }
};

// No ports at all.
class CNoPorts : public IPortList {
 public:
  bool PortPresent(int) const override { return false; }
};

// What a choice in the menu needs from the link.
class ILinkControl {
 public:
  virtual ~ILinkControl() = default;
  virtual bool LinkDisabled() const = 0;  // port lent to the bootloader program
  virtual void TakeLinkBack() = 0;
  virtual bool UnitConnected() const = 0;
  virtual int ConnectedPort() const = 0;
  virtual void DropLink() = 0;
  virtual void Trace(const char* text) = 0;
};

struct ComMenuItem {
  std::string caption;
  int port = -2;  // the port number of a port item, -2 for the first three items
  bool visible = false;
  bool checked = false;
  bool radio = false;
  bool enabled = true;
  bool separator = false;
};

using ComMenuModel = std::array<ComMenuItem, kComMenuItems>;

// The items as created at start-up: "COM1".."COM30", all hidden.
ComMenuModel InitialComMenu();

// offlineCaption/autoCaption: the message-table texts of items 0 and 1. A port
// another program holds says so after its number, in the current language.
// connectedPort: the port of the connected unit, 0 when none.
ComMenuModel BuildComMenuModel(int configuredPort, int connectedPort, const IPortList& ports,
                               const std::string& offlineCaption, const std::string& autoCaption);

// The first decimal number in caption after its first '&' is removed; -1 when none.
int PortFromCaption(std::string caption);

// A click on item: sets configuredPort (item 0 offline, 1 auto, others the port
// in their caption), takes a lent link back, and drops the link when a
// connected unit is not on the port now configured. Item 2 (the separator),
// an index outside the menu and a caption without a number change nothing;
// the result says whether the menu must be rebuilt.
bool ApplyComMenuChoice(int item, const std::string& caption, int& configuredPort, ILinkControl& link);

}  // namespace ign
