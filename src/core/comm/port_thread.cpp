// The I/O thread of one port: every system call on the port happens here.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/base/tick_clock.h"
#include "core/comm/comiosys.h"
#include "core/comm/port_error.h"
#include "core/comm/trace.h"

namespace ign {

namespace {

// The device a port path leads to (a COM link resolved to /dev/pts/7), for the trace.
std::string ResolvedDevice(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

void CCOMIOSYS::IoThread(int port) {
  CCOM& com = Port(port);
  std::unique_ptr<ISerialDevice> device;
  // The thread starts with its open command already given, so it looks at its
  // work first and waits after.
  while (!Stopping()) {
    const uint8_t command = com.threadCommand.load(std::memory_order_acquire);
    const uint8_t io = com.ioState.load(std::memory_order_relaxed);

    if (io == IoState::Closed && command == ThreadCmd::Open) {
      IoOpen(com, device);
      if (!device) break;  // the open failed: the thread ends
    } else if (io == IoState::Open && command == ThreadCmd::Close) {
      IoClose(com, device, true);
      break;
    } else if (io == IoState::Open && device) {
      if (com.txLen.load(std::memory_order_acquire) != 0) IoTransmit(com, *device);
      if (!FillRing(com, *device)) {
        // The device went away under us: close it and drop the port.
        trace_.Raw(Format("\n[%i:TMR=%i]LOST %s\n", port, int(clock_.Ms()), com.devicePath));
        IoClose(com, device, false);
        com.result.store(PortResult::DeviceLost, std::memory_order_release);
        break;
      }
    }
    IoWait(com, device.get());
  }
  if (device) IoClose(com, device, false);
  // The thread is done with the port before the port shows closed, so that a
  // new open never finds this thread still on its way out.
  com.threadState.store(ThreadState::Ended, std::memory_order_release);
  com.ioState.store(IoState::Closed, std::memory_order_release);
}

// Waits for received bytes or new work. While the ring is full the bytes the
// device holds cannot be taken, so the thread then only naps until the
// consumer makes room.
void CCOMIOSYS::IoWait(const CCOM& com, ISerialDevice* device) {
  const bool ringFull = com.RxCount() >= uint32_t(kRxRingSize - 1);
  if (device && !ringFull)
    device->WaitForInput(com.wake, kIoSleepIdleMs);
  else
    com.wake.Wait(ringFull ? kIoSleepOpenMs : kIoSleepIdleMs);
}

void CCOMIOSYS::IoOpen(CCOM& com, std::unique_ptr<ISerialDevice>& device) {
  const std::string path = com.devicePath;
  const std::string settings = com.lineSettings;
  const int baud = com.baud.load(std::memory_order_acquire);
  trace_.Raw(
      Format("\n[%i:TMR=%i]OPEN COM%i (%s)\n", com.port, int(clock_.Ms()), com.port, settings.c_str()));
  com.ioState.store(IoState::Opening, std::memory_order_release);
  device = system_->MakeDevice(com.port);
  const OpenResult opened = device ? device->Open(path, baud) : OpenResult::Failed(ENODEV);
  com.openError.store(opened.error, std::memory_order_release);
  if (!opened) {
    device.reset();
    trace_.Raw(Format("[%i:TMR=%i]OPEN FAIL COM%i %s: %s\n", com.port, int(clock_.Ms()), com.port,
                      ResolvedDevice(path).c_str(), SystemErrorText(opened.error).c_str()));
    com.threadCommand.store(ThreadCmd::None, std::memory_order_release);
    com.result.store(PortResult::OpenFailed, std::memory_order_release);
    return;  // the thread ends; the port shows closed when it has
  }
  com.rxRead.store(0, std::memory_order_relaxed);
  com.rxWrite.store(0, std::memory_order_relaxed);
  com.txLen.store(0, std::memory_order_relaxed);
  com.ioState.store(IoState::Open, std::memory_order_release);
  com.threadCommand.store(ThreadCmd::None, std::memory_order_release);
}

// Leaves the port closing; the thread ends right after and marks it closed.
void CCOMIOSYS::IoClose(CCOM& com, std::unique_ptr<ISerialDevice>& device, bool traced) {
  if (traced) trace_.Raw(Format("\n[%i:TMR=%i]CLOSE COM%i\n", com.port, int(clock_.Ms()), com.port));
  com.ioState.store(IoState::Closing, std::memory_order_release);
  if (device) device->PurgeAndClose();
  device.reset();
  // A frame waiting to go out will never go: free the sender.
  com.txLen.store(0, std::memory_order_release);
  com.threadCommand.store(ThreadCmd::None, std::memory_order_release);
}

void CCOMIOSYS::IoTransmit(CCOM& com, ISerialDevice& device) {
  const uint32_t len = std::min<uint32_t>(com.txLen.load(std::memory_order_acquire), kTxBufSize);
  if (trace_.IsOpen() && com.txBuf[0] != 0x30) {
    std::string text =
        Format("\n[%i:TMR=%i]TX %i:\n", com.port, int(clock_.Ms()), trace_.txCount.fetch_add(1));
    for (uint32_t i = 0; i < len; ++i) text += Format("%02x\t", com.txBuf[i]);
    text += "\n";
    trace_.Raw(text);
  }
  const int written = device.Write(com.txBuf, int(len));
  if (written != int(len)) {
    const int error = device.LastError();
    shortWrites_.fetch_add(1, std::memory_order_acq_rel);
    trace_.Linef("COM%i: %s, %i of %u bytes written (errno %i: %s)", com.port,
                 written < 0 ? "write failed" : "short write", written < 0 ? 0 : written, unsigned(len),
                 error, error != 0 ? SystemErrorText(error).c_str() : "unknown");
  }
  com.txLen.store(0, std::memory_order_release);
}

}  // namespace ign
