// Starts the simulated unit (ignsim) for end-to-end tests and stops it again.
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace ign::test {

struct SimOptions {
  int com = 1;
  std::string family = "IGN150";
  int baud = 0;  // 0: the family's default
  int key = 108;
  int subversion = 0;
  std::string image;  // empty: a fresh image file in a temporary folder
  std::vector<std::string> extra;
};

// Spawns <IGN_BINARY_DIR>/sim/ignsim (environment IGN_BINARY_DIR, else the build's own
// folder), waits at most 10 s for its READY line, and in the destructor sends SIGTERM,
// reaps it and removes its own temporary folder (an image given in SimOptions is kept). Standard input of the
// unit is a pipe held by this object, so the unit also stops when the test process dies.
class SimProcess {
 public:
  explicit SimProcess(const std::string& portDir, SimOptions o = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool ready() const { return ready_; }
  const std::string& linkPath() const { return link_; }
  std::string imagePath() const { return image_; }
  // What ignsim wrote on its standard error (after stop()).
  std::string errorOutput() const;
  pid_t pid() const { return pid_; }
  // Closes the unit's standard input (the unit then stops by itself).
  void closeInput();
  // SIGTERM, then wait (capped; SIGKILL after 5 s). Returns the exit status, -1 if unknown.
  int stop();

 private:
  pid_t pid_ = -1;
  int stdinFd_ = -1;
  bool ready_ = false;
  int status_ = -1;
  std::string link_;
  std::string image_;
  std::string errPath_;
  std::string workDir_;  // holds the error output and, when none was given, the image
};

// A new, unique temporary folder.
std::string MakeTempDir();

// Path of the ignsim program used by SimProcess.
std::string SimBinary();

}  // namespace ign::test
