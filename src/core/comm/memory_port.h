#pragma once
// An in-memory port system: each port is a MemoryLine whose far end a test (or
// a demo) drives by hand. Thread-safe: the port's I/O thread uses the near end.
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "core/comm/serial_port.h"

namespace ign {

class MemoryLine {
 public:
  // Far end.
  std::vector<uint8_t> TakeSent();                 // everything the program wrote so far
  void Answer(const std::vector<uint8_t>& bytes);  // bytes for the program to receive
  void Fail();                                     // the device goes away
  void SetOpenable(bool openable);                 // false: opens fail with ENODEV
  void SetOpenError(int error);                    // opens fail with this errno (0: they succeed)
  // Each write takes at most this many bytes and then reports EAGAIN, as a
  // line that will not take more in time does; -1: no limit.
  void SetWriteLimit(int bytes);
  void SetEcho(bool echo);        // a loop-back plug: every written byte comes back
  void SetOpenHangs(bool hangs);  // an open that does not return until released
  bool IsOpen() const;
  int OpenCount() const;
  int LastBaud() const;

  // Near end, used by MemoryDevice. NearOpen gives 0 or an errno; NearWrite
  // puts the errno of a short or failed write into error.
  int NearOpen(int baud);
  int NearWaiting();
  int NearRead(uint8_t* buf, int n);
  int NearWrite(const uint8_t* buf, int n, int& error);
  void NearClose();

 private:
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool openHangs_ = false;
  std::deque<uint8_t> toHost_;
  std::vector<uint8_t> fromHost_;
  bool open_ = false;
  bool failed_ = false;
  int openError_ = 0;
  int writeLimit_ = -1;
  bool echo_ = false;
  int openCount_ = 0;
  int baud_ = 0;
};

class MemoryPortSystem : public IPortSystem {
 public:
  // Creates (or returns) the line of a port and marks the port present.
  std::shared_ptr<MemoryLine> Line(int port);
  void SetPresent(int port, bool present);
  void SetListFails(bool fails);

  bool List(PortPresence& present) override;
  std::string DevicePath(int port) override;
  std::unique_ptr<ISerialDevice> MakeDevice(int port) override;

 private:
  std::mutex mutex_;
  std::map<int, std::shared_ptr<MemoryLine>> lines_;
  PortPresence present_{};
  bool listFails_ = false;
};

}  // namespace ign
