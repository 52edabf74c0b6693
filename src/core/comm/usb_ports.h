#pragma once
// USB serial adapters: what sysfs tells of the adapter behind a tty, and the
// numbers the adapters keep across re-plugging.
//
// sysfs serves better here than a serial-port library: it needs no further
// dependency, and its root is a folder a test can lay out itself (a library
// reads the machine's own /sys and /dev).
#include <map>
#include <string>

namespace ign {

struct UsbAdapter {
  std::string device;  // the tty's name: ttyUSB0, ttyACM1
  // What the adapter's number is kept under: vendor, product, serial number
  // and interface when it reports a serial number (the same adapter in any
  // socket), else the USB path of its socket (a plain adapter keeps its
  // number per socket), else the tty's name.
  std::string key;
  std::string product, maker, serial;
};

// True for ttyUSB<k> and ttyACM<k>.
bool IsUsbTtyName(const std::string& name);

// Follows ttyDir/<device>/device up to the USB interface and device folders.
UsbAdapter ReadUsbAdapter(const std::string& ttyDir, const std::string& device);

// "product, maker, serial S", leaving out what the adapter does not report.
std::string DescribeUsbAdapter(const UsbAdapter& adapter);

// The numbers given to adapters: key -> port number 33..255. Kept in a small
// INI-like file (section [USB_PORTS], key=number) that every program of the
// installation shares.
class CUsbPortMap {
 public:
  static constexpr int kFirst = 33;
  static constexpr int kFirstAcm = 65;  // where modem-class adapters (ttyACM) were numbered from
  static constexpr int kLast = 255;

  // Takes the entries of the text; lines that are not key=number with a
  // number in range, or that repeat a number or key, are left out.
  void Merge(const std::string& text);
  std::string Text() const;

  // The adapter's number: the kept one, or the lowest number from `from` up
  // that no adapter holds (then from kFirst), which it keeps from now on. 0
  // when all numbers are taken.
  int NumberOf(const std::string& key, int from = kFirst);
  bool Changed() const { return changed_; }
  void ClearChanged() { changed_ = false; }

 private:
  bool Taken(int number) const;
  std::map<std::string, int> numbers_;
  bool changed_ = false;
};

}  // namespace ign
