#pragma once
// An in-memory unit behind the job-engine interface: every job finishes on the
// next LinkTick, so the state machine can be driven step by step.
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "core/device/link_iface.h"
#include "core/params/image.h"

namespace ign::test {

struct JobRecord {
  int job, address, count, flags, marked;
};

class FakeLink : public ILink {
 public:
  FakeLink() {
    header[10] = 108;
    monitor[150] = 108;
  }
  void LinkTick() override {
    if (port == 0 || !enabled) {
      up = false;
      job = JOB_IDLE;
      return;
    }
    if (!up) {
      up = true;
      job = JOB_IDLE;
      return;
    }
    if (job != JOB_IDLE && job != JOB_DONE && job != JOB_FAILED) Run();
  }
  void CloseLink() override {
    ++closes;
    up = false;
    job = JOB_IDLE;
    port = 0;
  }
  int ConnectedPort() const override { return port; }
  bool LinkEnabled() const override { return enabled; }
  void SetLinkEnabled(bool e) override { enabled = e; }
  int ConfiguredPort() const override { return configured; }
  std::vector<int> SearchPorts() const override { return searchPorts; }
  int JobCode() const override { return job; }
  int LastJobCode() const override { return last; }
  void TakeResult() override { job = JOB_IDLE; }
  int CurrentAddress() const override { return current; }
  void StartJob(int code, int address, int count, int flags) override {
    if (job != JOB_IDLE) return;
    if (address < 0) address = 0;
    int marked = 0;
    for (int a = address; a < address + count; ++a) {
      if (flags & kJobClearSend) send[a] = 0;
      if (flags & kJobMark) marks[a] = 1;
      rx[a] = 0;
      marked += marks[a];
    }
    jobs.push_back({code, address, count, flags, marked});
    start = address;
    end = address + count;
    current = address;
    job = code;
  }
  void SetCommand(int, int, int) override {}
  uint8_t* SendImage() override { return send.data(); }
  uint8_t* TransferMarks() override { return marks.data(); }
  const uint8_t* ReceiveImage() const override { return rx.data(); }

  // The unit's side.
  std::array<uint8_t, RS_LEN_EXE> unit{};
  std::array<uint8_t, 150> header{};
  std::array<uint8_t, 151> monitor{};  // index 0 unused, like the program's record
  int failNext = 0;                    // the next n jobs fail
  int cutAfter = -1;                   // >= 0: the next transfer stops after so many bytes and the port goes
  std::function<void(int job, std::array<uint8_t, COMMAXBUF>& rx)> tamper;  // alter an answer
  int resets = 0, closes = 0;
  std::vector<JobRecord> jobs;
  std::vector<int> written;  // addresses written by JOB_WRITE

  int port = 3, configured = 0;
  bool enabled = true;
  std::vector<int> searchPorts;

  int CountJobs(int code) const {
    int n = 0;
    for (const auto& j : jobs) n += j.job == code;
    return n;
  }

 private:
  void Run() {
    last = job;
    if (failNext > 0) {
      --failNext;
      job = JOB_FAILED;
      return;
    }
    const bool cut = cutAfter >= 0;
    const int stop = cut ? std::min(end, start + cutAfter) : end;
    cutAfter = -1;
    for (int a = start; a < stop; ++a) {
      if (!marks[a]) continue;
      switch (last) {
        case JOB_READ: rx[a] = unit[a]; break;
        case JOB_WRITE:
          unit[a] = send[a];
          written.push_back(a);
          break;
        case JOB_HEADER: rx[a] = header[a]; break;
        case JOB_MONITOR: rx[a] = monitor[a + 1]; break;
        default: break;
      }
    }
    if (cut) {  // the unit went away in the middle: its port is gone with nothing pending
      current = stop;
      port = 0;
      up = false;
      job = JOB_IDLE;
      return;
    }
    if (last == JOB_COMMAND) ++resets;
    if (tamper) tamper(last, rx);
    current = end;
    job = JOB_DONE;
  }

  bool up = false;
  int job = JOB_DONE, last = JOB_DONE;
  int start = 0, end = 0, current = 0;
  std::array<uint8_t, COMMAXBUF> send{}, marks{}, rx{};
};

}  // namespace ign::test
