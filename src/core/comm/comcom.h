#pragma once
// The job engine. The main thread starts a job with StartJob and polls the
// job code; the protocol thread cuts the job's range into blocks, sends one
// request frame per block, checks each answer, retries, and stores what the
// unit sent. The job code is the hand-over: the main thread writes it last
// when starting, the protocol thread writes it last when a job ends.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "core/comm/comsearch.h"
#include "core/comm/job_blocks.h"
#include "core/comm/stream.h"

namespace ign {

namespace LinkState {
constexpr int None = 0;
constexpr int Ready = 1;
constexpr int Sending = 2;
constexpr int Waiting = 3;
constexpr int AttemptFailed = 4;
}  // namespace LinkState

namespace JobFlag {
constexpr int Mark = 1;        // set the transfer marks of the range
constexpr int ClearSend = 2;   // clear the send image of the range
constexpr int OneAttempt = 4;  // a single attempt per block (the monitor read)
}  // namespace JobFlag

class CCOMCOM : public CCOMSEARCH {
 public:
  explicit CCOMCOM(const CTickClock& clock, std::shared_ptr<IPortSystem> system = nullptr,
                   const std::string& traceFile = {});
  ~CCOMCOM() override;

  // Ignored (false) unless the job code is JOB_IDLE.
  bool StartJob(int job, int address, int count, int flags);
  void LinkTick();
  void CloseLink();

  int JobCode() const { return jobCode_.load(std::memory_order_acquire); }
  int LastJobCode() const { return lastJobCode_.load(std::memory_order_acquire); }
  // Takes a finished job's result: the job code goes back to JOB_IDLE.
  void TakeResult();
  int LinkStateNow() const { return linkState_.load(std::memory_order_acquire); }
  int CurrentAddress() const { return currentAddress_.load(std::memory_order_acquire); }
  int JobByteCount() const { return jobCount_.load(std::memory_order_acquire); }
  int JobEnd() const { return jobEnd_.load(std::memory_order_acquire); }
  int AttemptCount() const { return attempt_.load(std::memory_order_acquire); }
  // The command parameters of JOB_COMMAND on the header families.
  void SetCommandParams(int word, int address, int length);

  // The four job arrays, indexed by unit address. Write the send image and the
  // marks only while no job runs; read the receive side after the job ended.
  uint8_t* SendImage() { return sendImage_; }
  uint8_t* TransferMarks() { return transferMarks_; }
  const uint8_t* ReceiveImage() const { return receiveImage_; }
  const uint8_t* ReceivedMarks() const { return receivedMarks_; }

  StreamShare& Stream() { return stream_; }
  // Mask of the ticks that run a communication step: every second one, more
  // sparsely after damaged pick-up streams.
  int StepMask() const { return stream_.stepMask.load(std::memory_order_acquire); }
  // How many jobs have ended (done or failed) over the life of this object.
  // Counted after the job's result is published. Any thread.
  uint32_t JobsEnded() const { return jobsEnded_.load(std::memory_order_acquire); }
  // Waits until JobsEnded() differs from seen, or ms pass; true when it does.
  bool WaitForJobEnd(uint32_t seen, int ms);
  // Called on the protocol thread each time a job ends, right after the count
  // grows; it must only hand the news on (post an event, signal a waiter).
  // Set it to nothing before whatever it calls goes away.
  void SetJobEndListener(std::function<void()> listener);
  // Frames counted by the protocol thread, for the trace and tests.
  uint32_t FramesSent() const { return framesSent_.load(std::memory_order_acquire); }
  // Frames from the connected unit that the codec dropped (wrong check,
  // impossible length), over the life of this object. Any thread. The count
  // of short writes, ShortWriteCount(), comes from the port layer.
  int BadFrameCount() const { return badFrames_.load(std::memory_order_acquire); }

 private:
  void ProtocolThread();
  void ProtocolPass(CFrameCodec& codec, SearchSlot& link, int port);
  void HandleAttemptFailed(CFrameCodec& codec);
  void HandleShortAnswer(const CFrameCodec& codec, int job);
  void HandleHeaderAnswer(const CFrameCodec& codec, int job);
  void StartNextBlock(CFrameCodec& codec, const SearchSlot& link, int job);
  void EndJob(int job, int code);
  void FailAttempt(const char* why);
  void StopProtocolThread();
  void WatchStream(int port, CFrameCodec& codec);

  std::thread protocolThread_;
  std::atomic<bool> protocolEnded_{false};
  std::atomic<int> linkState_{LinkState::None};
  std::atomic<int> jobCode_{JOB_DONE};
  std::atomic<int> lastJobCode_{JOB_DONE};
  std::atomic<int> cmdWord_{0};
  std::atomic<int> cmdAddress_{0};
  std::atomic<int> cmdLength_{0};
  std::atomic<int> expectedAnswer_{-1};
  std::atomic<int> currentAddress_{0};
  std::atomic<int> blockLength_{0};
  std::atomic<int> attempt_{0};
  std::atomic<int> maxAttempts_{kDefaultAttempts};
  std::atomic<int> jobCount_{0};
  std::atomic<int> jobEnd_{0};
  std::atomic<int64_t> sendTime_{0};
  std::atomic<uint32_t> framesSent_{0};
  std::atomic<int> badFrames_{0};
  std::atomic<uint32_t> jobsEnded_{0};
  std::mutex endMutex_;  // guards the listener and orders the count with its waiters
  std::condition_variable jobEndWake_;
  std::function<void()> endListener_;

  uint8_t sendImage_[COMMAXBUF] = {};
  uint8_t transferMarks_[COMMAXBUF] = {};
  uint8_t receiveImage_[COMMAXBUF] = {};
  uint8_t receivedMarks_[COMMAXBUF] = {};
  StreamShare stream_;
  std::mutex wakeMutex_;  // wakes the idle protocol thread when a job is handed over
  std::condition_variable wake_;
  int lastAnswer_ = -1;  // protocol thread only: the short-family answer last taken
  // Protocol thread only: when the live stream last made progress.
  int64_t streamProgressAt_ = 0;
  int streamProgressCount_ = -1;  // -1: no stream being watched
};

}  // namespace ign
