#include "core/comm/comcom.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/base/tick_clock.h"

namespace ign {

CCOMCOM::CCOMCOM(const CTickClock& clock, std::shared_ptr<IPortSystem> system, const std::string& traceFile)
    : CCOMSEARCH(clock, std::move(system), traceFile) {
  protocolThread_ = std::thread([this] { ProtocolThread(); });
}

CCOMCOM::~CCOMCOM() {
  StopThreads();
  StopProtocolThread();
}

void CCOMCOM::StopProtocolThread() {
  if (!protocolThread_.joinable()) return;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kJoinLimitMs);
  while (!protocolEnded_.load(std::memory_order_acquire) && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (protocolEnded_.load(std::memory_order_acquire))
    protocolThread_.join();
  else
    protocolThread_.detach();
}

bool CCOMCOM::StartJob(int job, int address, int count, int flags) {
  if (jobCode_.load(std::memory_order_acquire) != JOB_IDLE || !KnownJob(job)) return false;
  address = std::clamp(address, 0, COMMAXBUF);
  const int end = std::clamp(address + std::max(count, 0), address, COMMAXBUF);
  currentAddress_.store(address, std::memory_order_relaxed);
  jobCount_.store(count, std::memory_order_relaxed);
  jobEnd_.store(end, std::memory_order_relaxed);
  attempt_.store(0, std::memory_order_relaxed);
  for (int a = address; a < end; ++a) {
    if (flags & JobFlag::ClearSend) sendImage_[a] = 0;
    if (flags & JobFlag::Mark) transferMarks_[a] = 1;
    receiveImage_[a] = 0;
    receivedMarks_[a] = 0;
  }
  maxAttempts_.store((flags & JobFlag::OneAttempt) ? kMonitorAttempts : kDefaultAttempts,
                     std::memory_order_relaxed);
  jobCode_.store(job, std::memory_order_release);
  {
    std::lock_guard lock(wakeMutex_);  // the waiter sees the job or gets the notification
  }
  wake_.notify_one();
  return true;
}

bool CCOMCOM::WaitForJobEnd(uint32_t seen, int ms) {
  std::unique_lock lock(endMutex_);
  return jobEndWake_.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)),
                              [&] { return jobsEnded_.load(std::memory_order_acquire) != seen; });
}

void CCOMCOM::SetJobEndListener(std::function<void()> listener) {
  std::lock_guard lock(endMutex_);
  endListener_ = std::move(listener);
}

void CCOMCOM::TakeResult() {
  int code = jobCode_.load(std::memory_order_acquire);
  if (code == JOB_DONE || code == JOB_FAILED) jobCode_.compare_exchange_strong(code, JOB_IDLE);
}

void CCOMCOM::SetCommandParams(int word, int address, int length) {
  cmdWord_.store(word, std::memory_order_relaxed);
  cmdAddress_.store(address, std::memory_order_relaxed);
  cmdLength_.store(length, std::memory_order_relaxed);
}

void CCOMCOM::LinkTick() {
  SearchStep();
  int port = ConnectedPort();
  if (port != 0) {
    // A device that went away while connected (adapter pulled, line hung up)
    // leaves its port closed with nothing pending: drop the link.
    const CCOM& com = Port(port);
    if (com.ioState.load(std::memory_order_acquire) == IoState::Closed && com.request.load() == 0) {
      TraceLine(Format("COM%i lost", port));
      CloseLink();
      port = 0;
    }
  }
  int state = linkState_.load(std::memory_order_acquire);
  if (state == LinkState::None) {
    if (port != 0 && Enabled() && linkState_.compare_exchange_strong(state, LinkState::Ready))
      jobCode_.store(JOB_IDLE, std::memory_order_release);
    return;
  }
  if (port == 0 || !Enabled()) {
    linkState_.store(LinkState::None, std::memory_order_release);
    jobCode_.store(JOB_IDLE, std::memory_order_release);
  } else if (state == LinkState::Waiting &&
             Clock().Ms() - sendTime_.load(std::memory_order_acquire) > kAnswerLimitMs) {
    linkState_.compare_exchange_strong(state, LinkState::AttemptFailed);
  }
}

void CCOMCOM::CloseLink() {
  const int port = ConnectedPort();
  if (port == 0) return;
  TraceLine(Format("Close Port COM%i...", port));
  TraceLine(Format("dropped: ring full %u passes, streams %u damaged, %u not taken",
                   unsigned(Port(port).ringFullPasses.load()), unsigned(stream_.dropped.load()),
                   unsigned(stream_.overrun.load())));
  TraceLine(Format("errors: %i bad frames, %i short writes", BadFrameCount(), ShortWriteCount()));
  linkState_.store(LinkState::None, std::memory_order_release);
  jobCode_.store(JOB_IDLE, std::memory_order_release);
  RequestClose(port);
  connectedPort_.store(0, std::memory_order_release);
  SetPortListChanged();
}

}  // namespace ign
