#pragma once
// What the communication state machine needs from the job engine. The serial
// link implements it; tests put an in-memory unit behind it.
#include <cstdint>
#include <vector>

#include "core/comm/job_blocks.h"  // job codes

namespace ign {

// StartJob flags
constexpr int kJobMark = 1;        // set the transfer marks of the range
constexpr int kJobClearSend = 2;   // clear the send image of the range
constexpr int kJobOneAttempt = 4;  // one attempt instead of three

class ILink {
 public:
  virtual ~ILink() = default;
  virtual void LinkTick() = 0;
  virtual void CloseLink() = 0;
  virtual int ConnectedPort() const = 0;  // 0 when none
  virtual bool LinkEnabled() const = 0;
  virtual void SetLinkEnabled(bool enabled) = 0;
  virtual int ConfiguredPort() const = 0;            // -1 off, 0 automatic, n one port
  virtual std::vector<int> SearchPorts() const = 0;  // ports the search slots hold

  virtual int JobCode() const = 0;
  virtual int LastJobCode() const = 0;
  virtual void TakeResult() = 0;  // job code back to 0
  virtual int CurrentAddress() const = 0;
  virtual void StartJob(int job, int address, int count, int flags) = 0;
  virtual void SetCommand(int word, int address, int length) = 0;

  // Unit-address indexed arrays of the job engine (COMMAXBUF bytes each).
  virtual uint8_t* SendImage() = 0;
  virtual uint8_t* TransferMarks() = 0;
  virtual const uint8_t* ReceiveImage() const = 0;
};

}  // namespace ign
