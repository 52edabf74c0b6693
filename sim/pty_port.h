// The unit's end of the line: a pseudo-terminal linked into a port folder as COM<n>.
#pragma once

#include <string>

namespace ign::sim {

class PtyPort {
 public:
  PtyPort() = default;
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  // Creates the pseudo-terminal in raw mode and the link portDir/COM<com> to its slave.
  // The folder is created when missing; an existing link of that name is replaced.
  bool Open(const std::string& portDir, int com, std::string* error);

  int fd() const { return master_; }
  const std::string& linkPath() const { return link_; }
  const std::string& slavePath() const { return slave_; }

  // Baud rate the program set on its side of the line (0 when unknown).
  int LineBaud() const;

  // Bytes sent to the program that it has not read yet (-1 when unknown).
  int Unread() const;

  // Closes the line (the program sees a hang-up) and removes the link.
  void Close();

 private:
  int master_ = -1;
  int keeper_ = -1;  // our own slave descriptor keeps the line up between program opens
  std::string link_;
  std::string slave_;
};

// Converts a termios speed constant to baud (0 when unknown) and back.
int SpeedToBaud(unsigned speed);
unsigned BaudToSpeed(int baud);

}  // namespace ign::sim
