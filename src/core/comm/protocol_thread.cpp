// The protocol thread: runs the job that the main thread handed over, one
// block at a time, on the codec of the connected link.
#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/base/tick_clock.h"
#include "core/comm/comcom.h"

namespace ign {

void CCOMCOM::ProtocolThread() {
  // The thread's own copy of the active link record; refreshed when a new
  // link is connected, never touched by the main thread.
  auto link = std::make_unique<SearchSlot>();
  uint32_t generation = 0;
  while (!Stopping()) {
    Trace().passes.fetch_add(1, std::memory_order_relaxed);
    // The port first: a connection publishes the generation before the port.
    const int port = ConnectedPort();
    const uint32_t now = linkGeneration_.load(std::memory_order_acquire);
    if (now != generation) {
      std::lock_guard lock(linkMutex_);
      *link = activeLink_;
      generation = now;
      link->codec.stream = &stream_;
      link->codec.trace = &Trace();
      link->codec.badFrameTotal = &badFrames_;
    }
    ProtocolPass(link->codec, *link, port);
  }
  protocolEnded_.store(true, std::memory_order_release);
}

void CCOMCOM::ProtocolPass(CFrameCodec& codec, SearchSlot& link, int port) {
  if (linkState_.load(std::memory_order_acquire) == LinkState::None) codec.ClearSend();

  if (stream_.live.type.load(std::memory_order_acquire) != 0) {
    if (stream_.DropIfFull()) return;
    WatchStream(port, codec);
  } else {
    streamProgressCount_ = -1;
  }
  const int job = jobCode_.load(std::memory_order_acquire);
  if (!JobRunning(job)) {
    // Idle: StartJob wakes the thread at once; the time-out keeps the pass
    // going for streams and the stop flag.
    std::unique_lock lock(wakeMutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(kProtocolSleepIdleMs),
                   [&] { return JobRunning(jobCode_.load(std::memory_order_acquire)) || Stopping(); });
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(kProtocolSleepBusyMs));
  if (port == 0 || port != link.port) return;
  CCOM& com = Port(port);

  if (linkState_.load(std::memory_order_acquire) == LinkState::AttemptFailed) HandleAttemptFailed(codec);
  if (linkState_.load(std::memory_order_acquire) == LinkState::Waiting && codec.ReceiveStep(com)) {
    Trace().Linef("Frame rec [0x%02x] (%i)...", codec.rx[0], codec.RxFrameLen());
    if (IsShortFamily(codec.type))
      HandleShortAnswer(codec, job);
    else
      HandleHeaderAnswer(codec, job);
  }
  // A good answer leaves the link ready: the next block's request is built and
  // handed to the port in this same pass, so the line does not wait for the
  // thread's next turn.
  // While a stream is still arriving the line is busy: the next request waits
  // until the stream is complete or has been given up.
  if (linkState_.load(std::memory_order_acquire) == LinkState::Ready &&
      JobRunning(jobCode_.load(std::memory_order_acquire)) &&
      stream_.live.type.load(std::memory_order_acquire) == 0)
    StartNextBlock(codec, link, job);
  if (linkState_.load(std::memory_order_acquire) == LinkState::Sending) {
    codec.SendStep(com);
    int sending = LinkState::Sending;
    if (codec.SendDone()) linkState_.compare_exchange_strong(sending, LinkState::Waiting);
  }
}

void CCOMCOM::WatchStream(int port, CFrameCodec& codec) {
  if (port != 0) codec.ReceiveStep(Port(port));
  if (stream_.live.type.load(std::memory_order_acquire) == 0) {
    streamProgressCount_ = -1;
    return;
  }
  const int count = stream_.live.count.load(std::memory_order_relaxed);
  const int64_t now = Clock().Ms();
  if (count != streamProgressCount_) {
    streamProgressCount_ = count;
    streamProgressAt_ = now;
  } else if (now - streamProgressAt_ > kStreamStallMs) {
    Trace().Linef("stream stalled at %i of %i bytes, dropped", count,
                  int(stream_.live.length.load(std::memory_order_relaxed)));
    stream_.DropLive();
    streamProgressCount_ = -1;
  }
}

void CCOMCOM::EndJob(int job, int code) {
  lastJobCode_.store(job, std::memory_order_release);
  int running = job;
  if (!jobCode_.compare_exchange_strong(running, code, std::memory_order_acq_rel)) return;
  // Whoever waits for the result hears of it at once, not on its next tick.
  {
    std::lock_guard lock(endMutex_);
    jobsEnded_.fetch_add(1, std::memory_order_acq_rel);
    if (endListener_) endListener_();
  }
  jobEndWake_.notify_all();
}

void CCOMCOM::FailAttempt(const char* why) {
  Trace().Line(why);
  int waiting = LinkState::Waiting;
  linkState_.compare_exchange_strong(waiting, LinkState::AttemptFailed);
}

void CCOMCOM::HandleAttemptFailed(CFrameCodec& codec) {
  const int attempt = attempt_.load(std::memory_order_relaxed);
  Trace().Linef("COM timeout or redirection (%i)...", attempt);
  attempt_.store(attempt + 1, std::memory_order_release);
  int failed = LinkState::AttemptFailed;
  if (attempt + 1 < maxAttempts_.load(std::memory_order_relaxed)) {
    codec.ArmSend(codec.txLen);  // the same frame again, from its first byte
    sendTime_.store(Clock().Ms(), std::memory_order_release);
    linkState_.compare_exchange_strong(failed, LinkState::Sending);
  } else if (linkState_.compare_exchange_strong(failed, LinkState::Ready)) {
    EndJob(jobCode_.load(std::memory_order_acquire), JOB_FAILED);
  }
}

void CCOMCOM::HandleShortAnswer(const CFrameCodec& codec, int job) {
  const int d = codec.RxFrameLen() - 2;
  const int expected = expectedAnswer_.load(std::memory_order_relaxed);
  const int attempt = attempt_.load(std::memory_order_relaxed);
  const int current = currentAddress_.load(std::memory_order_relaxed);
  if (codec.rx[0] != expected) {
    if (codec.rx[0] == lastAnswer_) {
      // A late answer to a request that was sent again: its twin has been taken
      // already. Failing here would put every later answer one behind.
      Trace().Linef("COM late answer 0x%02x ignored (%i)...", codec.rx[0], attempt);
      return;
    }
    FailAttempt(
        Format("COM not expected answer 0x%02x!=0x%02x (%i)...", codec.rx[0], expected, attempt).c_str());
    return;
  }
  int index = expected & 0x3F;
  if (index >= 0x30) index &= 0x0F;
  int address = index * d;
  if (job == JOB_WRITE || job == JOB_READ) address -= d;
  if (address != current) {
    FailAttempt(Format("address is not equal %i!=%i (%i)...", current, address, attempt).c_str());
    return;
  }
  const int inRange = std::clamp(COMMAXBUF - current, 0, d);
  if (job == JOB_WRITE) {
    int errors = 0;
    for (int i = 0; i < inRange; ++i) errors += codec.rx[1 + i] != sendImage_[current + i];
    if (errors) {
      FailAttempt(Format("COM verify fail, %i errors (%i)...", errors, attempt).c_str());
      return;
    }
  }
  if (JobStores(job)) {
    std::memcpy(receiveImage_ + current, codec.rx + 1, size_t(inRange));
    std::memset(receivedMarks_ + current, 1, size_t(inRange));
  }
  int waiting = LinkState::Waiting;
  if (linkState_.compare_exchange_strong(waiting, LinkState::Ready)) {
    currentAddress_.store(current + d, std::memory_order_release);
    attempt_.store(0, std::memory_order_release);
    lastAnswer_ = expected;
  }
}

void CCOMCOM::HandleHeaderAnswer(const CFrameCodec& codec, int job) {
  if ((codec.rx[Hdr::Marker] & 0x0F) != Hdr::Positive ||
      codec.RxWord(Hdr::Command) != expectedAnswer_.load(std::memory_order_relaxed))
    return;  // does not count; the answer limit ends the attempt
  const int current = currentAddress_.load(std::memory_order_relaxed);
  const int blockLen = blockLength_.load(std::memory_order_relaxed);
  const int frameAddress = codec.RxWord(Hdr::Address);
  const int n = codec.RxWord(Hdr::Length);
  const bool stores = JobStores(job);
  if (frameAddress != current || (stores && n != blockLen)) {
    FailAttempt(Format("len or address is not equal %i!=%i (%i)...", current, frameAddress,
                       attempt_.load(std::memory_order_relaxed))
                    .c_str());
    return;
  }
  if (stores) {
    const int inRange = std::clamp(COMMAXBUF - frameAddress, 0, n);
    std::memcpy(receiveImage_ + frameAddress, codec.rx + Hdr::Data, size_t(inRange));
    std::memset(receivedMarks_ + frameAddress, 1, size_t(inRange));
  }
  int waiting = LinkState::Waiting;
  if (linkState_.compare_exchange_strong(waiting, LinkState::Ready)) {
    currentAddress_.store(current + blockLen, std::memory_order_release);
    attempt_.store(0, std::memory_order_release);
  }
}

void CCOMCOM::StartNextBlock(CFrameCodec& codec, const SearchSlot& link, int job) {
  const int current = currentAddress_.load(std::memory_order_relaxed);
  const int end = jobEnd_.load(std::memory_order_relaxed);
  const bool shortFamily = IsShortFamily(codec.type);
  const int blockSize = shortFamily ? ShortDataLen(codec.type) : link.maxFrameLen - link.frameOverhead;
  const std::optional<Block> block = shortFamily ? NextShortBlock(transferMarks_, current, end, blockSize)
                                                 : NextHeaderBlock(transferMarks_, current, end, blockSize);
  if (!block) {
    EndJob(job, JOB_DONE);
    return;
  }
  uint8_t data[kFrameBufSize] = {};
  const int inRange = std::clamp(COMMAXBUF - block->address, 0, std::min(block->length, kFrameBufSize));
  std::memcpy(data, sendImage_ + block->address, size_t(inRange));

  if (shortFamily) {
    const ShortCommand cmd = ShortCommandOf(job);
    const int number = block->address / blockSize;
    if (number >= cmd.maxBlocks && job == JOB_HEADER) {
      // The header is one unnumbered block: a family whose blocks are shorter
      // than the header carries only its first block.
      EndJob(job, JOB_DONE);
      return;
    }
    if (number >= cmd.maxBlocks) {
      // The command byte cannot number this block: the answer could not be told apart.
      Trace().Linef("block %i out of the numbering of job %i", number, job);
      EndJob(job, JOB_FAILED);
      return;
    }
    const int step = (job == JOB_COMMAND || job == JOB_HEADER) ? 0 : number;
    codec.BuildShortFrame(blockSize, cmd.base, step, data, job == JOB_MONITOR ? ProgramKey() : 0);
    expectedAnswer_.store(cmd.answer + step, std::memory_order_relaxed);
  } else {
    const uint32_t sum = codec.type == Proto::Wcoms ? HdrFlag::SumCheck : 0;
    const uint8_t lengthData[2] = {uint8_t(block->length & 0xFF), uint8_t(block->length >> 8)};
    int word = 0;
    int address = block->address;
    switch (job) {
      case JOB_WRITE:
        word = kHdrWrite, codec.BuildHeaderFrame(word | sum, address, block->length, data);
        break;
      case JOB_READ: word = kHdrRead, codec.BuildHeaderFrame(word | sum, address, 2, lengthData); break;
      case JOB_MONITOR:
        word = kHdrMonitor, codec.BuildHeaderFrame(word | sum, address, block->length, data);
        break;
      case JOB_HEADER: word = kHdrHeader, codec.BuildHeaderFrame(word | sum, address, 2, lengthData); break;
      default:
        word = cmdWord_.load(std::memory_order_relaxed) & 0xFFFF;
        address = cmdAddress_.load(std::memory_order_relaxed);
        codec.BuildHeaderFrame(uint32_t(word) | sum, address, cmdLength_.load(std::memory_order_relaxed),
                               nullptr);
        break;
    }
    expectedAnswer_.store(word, std::memory_order_relaxed);
  }
  currentAddress_.store(block->address, std::memory_order_release);
  blockLength_.store(block->length, std::memory_order_relaxed);
  sendTime_.store(Clock().Ms(), std::memory_order_release);
  framesSent_.fetch_add(1, std::memory_order_release);
  int ready = LinkState::Ready;
  if (!linkState_.compare_exchange_strong(ready, LinkState::Sending)) return;
  Trace().Linef("Frame send [0x%02x] (%i).../Job=%i,len=%i/ data[21]=0x%02x", codec.tx[0], int(codec.txLen),
                job, jobCount_.load(std::memory_order_relaxed), codec.tx[21]);
}

}  // namespace ign
