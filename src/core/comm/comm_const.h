#pragma once
// Sizes, retries and time-outs of the serial link, in one place.
#include <cstdint>

namespace ign {

constexpr int COMMAXBUF = 8000;  // communication buffer of the job engine, indexed by unit address

constexpr int kPortCount = 256;  // port records 0..255; 0 is never a device
constexpr int kMaxPortNumber = 255;
constexpr int kTxBufSize = 330;          // transmit buffer of a port, and the largest write
constexpr int kRxRingSize = 330;         // receive ring; holds at most kRxRingSize - 1 bytes
constexpr int kFrameBufSize = 1040;      // codec buffers: 1024 data bytes + 16 header/check bytes
constexpr int kMaxHeaderDataSent = 512;  // the program never sends more data in a header frame
constexpr int kMaxHeaderDataRecv = 1024;

// Port I/O supervision (ms of the program clock).
constexpr int kEnumerateEveryMs = 1000;
// While no unit is connected the ports are listed more often, so that a unit
// plugged in is seen soon.
constexpr int kEnumerateSearchingMs = 200;
constexpr int kOpenGiveUpMs = 5000;
constexpr int kIoSleepOpenMs = 1;      // poll period of a device without a descriptor to wait on
constexpr int kIoSleepIdleMs = 50;     // longest wait of an I/O thread; new work wakes it sooner
constexpr int kWriteDeadlineMs = 100;  // a write that cannot finish in this time is cut short

// Port search.
constexpr int kSlotOpenLimitMs = 600;
constexpr int kSlotCoolDownMs = 300;
constexpr int kUnmatchedShowMs = 6000;
// A port another program holds is left alone for this long before the search
// tries it again.
constexpr int kHeldRetryMs = 2000;
constexpr int kSearchSlots = 3;

// Job engine.
constexpr int kAnswerLimitMs = 400;
constexpr int kDefaultAttempts = 3;
constexpr int kMonitorAttempts = 1;
constexpr int kProtocolSleepBusyMs = 1;
constexpr int kProtocolSleepIdleMs = 50;
constexpr int kHeaderGapMarks = 50;  // unmarked addresses a header-family block may bridge

// The pick-up sample stream.
constexpr int kStreamBufSize = 15000;
// A stream that stops arriving is given up after this long without a byte, so
// that the frames of later jobs are not taken for stream bytes.
constexpr int kStreamStallMs = 1000;

// Bounded shutdown: how long destruction waits for a thread before giving up on it.
constexpr int kJoinLimitMs = 2000;

// The program's key: the parameter structure this program understands.
constexpr int kProgramKey = 108;

}  // namespace ign
