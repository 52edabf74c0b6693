// The program's end of a test line: opens a COM link raw at a baud rate, reads with caps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ign::test {

class SerialClient {
 public:
  SerialClient() = default;
  ~SerialClient();
  SerialClient(const SerialClient&) = delete;
  SerialClient& operator=(const SerialClient&) = delete;

  // Opens path raw 8N1 at baud (set with cfsetispeed/cfsetospeed as the program does).
  bool Open(const std::string& path, int baud);
  bool SetBaud(int baud);
  void Close();
  bool Write(const std::vector<std::uint8_t>& bytes);
  // Reads until n bytes are in or timeoutMs has passed; returns what arrived.
  std::vector<std::uint8_t> Read(std::size_t n, int timeoutMs);
  // Reads everything that arrives until the line stays quiet for quietMs (capped by capMs).
  std::vector<std::uint8_t> ReadUntilQuiet(int quietMs, int capMs);
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace ign::test
