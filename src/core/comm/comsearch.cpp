#include "core/comm/comsearch.h"

#include <cstring>

#include "core/base/status_iface.h"
#include "core/base/tick_clock.h"
#include "core/comm/port_error.h"

namespace ign {

namespace {
constexpr uint16_t kIdentifyCommand = 0xFEEE;
constexpr uint8_t kShortIdentifyAnswer = 0xB0;
constexpr int kProbeCommand = 0x30;
constexpr int kConnectedPriority = 100;
constexpr int kUnmatchedPriority = 10;
// A port that could not be opened is reported like an unmatched unit.
constexpr int kOpenFailShowMs = kUnmatchedShowMs;
constexpr int kOpenFailPriority = kUnmatchedPriority;

// The table row at a step of a port's order: the remembered row, then every
// other row in table order, ending with the table's end row.
int RowAtStep(const SearchSlot& slot, int step) {
  if (slot.firstRow < 0) return step;
  if (step == 0) return slot.firstRow;
  return step - 1 < slot.firstRow ? step - 1 : step;
}

// The step after the slot's current one. A row that probes exactly like the
// row just tried, right after it, gives a unit no chance the two tries of that
// row did not: it is passed over (the table's three IGN150 rows in a row).
int NextStep(const SearchSlot& slot) {
  const SearchRow& tried = SearchTableRow(slot.row);
  int step = slot.step + 1;
  for (;; ++step) {
    const SearchRow& next = SearchTableRow(RowAtStep(slot, step));
    if (next.type == Proto::None || next.type != tried.type || next.baud != tried.baud ||
        next.timeout != tried.timeout)
      return step;
  }
}
}  // namespace

CCOMSEARCH::CCOMSEARCH(const CTickClock& clock, std::shared_ptr<IPortSystem> system,
                       const std::string& traceFile)
    : CCOMIOSYS(clock, std::move(system), traceFile) {
  for (SearchSlot& slot : slots_) {
    slot.codec.trace = &Trace();
    slot.codec.clock = &clock;
  }
  activeLink_.codec.trace = &Trace();
  activeLink_.codec.clock = &clock;
}

LinkInfo CCOMSEARCH::ActiveLink() const {
  std::lock_guard lock(linkMutex_);
  LinkInfo info;
  info.port = activeLink_.port;
  info.protocol = SearchTableRow(activeLink_.row).type;
  info.hardwareId = activeLink_.hardwareId;
  info.key = activeLink_.key;
  info.name = activeLink_.name;
  info.maxFrameLen = activeLink_.maxFrameLen;
  info.frameOverhead = activeLink_.frameOverhead;
  return info;
}

void CCOMSEARCH::SearchStep() {
  const int every =
      ConnectedPort() == 0 && Enabled() && configuredPort_ >= 0 ? kEnumerateSearchingMs : kEnumerateEveryMs;
  ServicePorts(every);
  if (ConnectedPort() != 0) return;
  SearchSlots();
  // The opens and closes this step asked for go to the I/O threads now, so
  // that a port is open for its probe by the next step.
  ServicePorts(every);
}

void CCOMSEARCH::SearchSlots() {
  if (!Enumerated() || ConnectedPort() != 0 || !Enabled()) return;
  if (!foundTraced_) {
    foundTraced_ = true;
    TraceLine("COM found");
  }
  if (configuredPort_ < 0) {
    for (SearchSlot& slot : slots_) {
      if (slot.port) RequestClose(slot.port);
      slot.port = 0;
      slot.state = SlotState::Idle;
    }
    return;
  }
  for (int i = 0; i < kSearchSlots; ++i) {
    if (HandleSlot(i) == Next::EndStep) return;
  }
}

bool CCOMSEARCH::HeldByOtherSlot(int index, int port) const {
  for (int i = 0; i < kSearchSlots; ++i) {
    if (i != index && slots_[i].port == port) return true;
  }
  return false;
}

void CCOMSEARCH::NoteUnmatched(int index) {
  const SearchSlot& slot = slots_[index];
  lastUnmatched_ = UnmatchedUnit{slot.port, slot.key, slot.hardwareId, slot.name};
  ++unmatchedCount_;
}

void CCOMSEARCH::ReportOpenFailure(int index) {
  const int port = slots_[index].port;
  const CCOM& com = Port(port);
  // Only an open that failed in this attempt has an error of its own; one
  // that still hangs or never started has nothing to tell yet.
  if (com.result.load(std::memory_order_acquire) != PortResult::OpenFailed) return;
  const int error = OpenError(port);
  if (error == 0 || shownOpenError_[size_t(port)] == error) return;
  shownOpenError_[size_t(port)] = error;
  const std::string text = OpenErrorStatusText(port, error);
  TraceLine(Format("[%i]%s", index, text.c_str()));
  if (status_)
    status_->ShowStatus(Slot::Connection, text.c_str(), kOpenFailShowMs, Colour::Black, Colour::Red,
                        kOpenFailPriority);
}

std::vector<int> CCOMSEARCH::HeldPorts() const {
  std::vector<int> ports;
  for (int port = 1; port <= kMaxPortNumber; ++port)
    if (held_[size_t(port)] && IsPresent(port)) ports.push_back(port);
  return ports;
}

bool CCOMSEARCH::OpenFoundHeld(const SearchSlot& slot) const {
  // The result is published after the error, and cleared by every new request.
  return Port(slot.port).result.load(std::memory_order_acquire) == PortResult::OpenFailed &&
         IsInUseError(OpenError(slot.port));
}

void CCOMSEARCH::SetHeld(int port, bool held) {
  if (held_[size_t(port)] == held) return;
  held_[size_t(port)] = held;
  SetPortListChanged();
}

bool CCOMSEARCH::LeaveAlone(int port, int64_t now) const {
  return held_[size_t(port)] && now - heldTriedAt_[size_t(port)] < kHeldRetryMs;
}

void CCOMSEARCH::SkipHeldPort(int index, int64_t now) {
  SearchSlot& slot = slots_[index];
  TraceLine(Format("[%i]IN USE - skip port COM%i", index, slot.port));
  ReportOpenFailure(index);
  SetHeld(slot.port, true);
  heldTriedAt_[size_t(slot.port)] = now;
  // Nothing of the port is ours: no close, no cool-down.
  slot.port = 0;
  slot.time = now;
  slot.state = SlotState::Idle;
}

void CCOMSEARCH::SendProbe(SearchSlot& slot) {
  const SearchRow& row = SearchTableRow(slot.row);
  slot.codec.ResetCodec(row.type, row.timeout);
  if (row.type == Proto::Wcom)
    slot.codec.BuildHeaderFrame(kIdentifyCommand, 0, 0, nullptr);
  else if (row.type == Proto::Wcoms)
    slot.codec.BuildHeaderFrame(kIdentifyCommand | HdrFlag::SumCheck, 0, 0, nullptr);
  else
    slot.codec.BuildShortFrame(ShortDataLen(row.type), kProbeCommand, 0, nullptr,
                               row.type == Proto::Ign300 ? 0 : ProgramKey());
  slot.codec.SendStep(Port(slot.port));
}

bool CCOMSEARCH::TakePort(int index) {
  SearchSlot& slot = slots_[index];
  const int64_t now = Clock().Ms();
  if (configuredPort_ > 0) {
    if (HeldByOtherSlot(index, configuredPort_) || LeaveAlone(configuredPort_, now)) return false;
    slot.port = configuredPort_;
  } else {
    int candidate = nextPort_ < 1 || nextPort_ > kMaxPortNumber ? 1 : nextPort_;
    for (int tries = 0; tries < 256; ++tries) {
      if (candidate >= 1 && IsPresent(candidate) && !HeldByOtherSlot(index, candidate) &&
          !LeaveAlone(candidate, now)) {
        slot.port = candidate;
        nextPort_ = candidate >= kMaxPortNumber ? 1 : candidate + 1;
        break;
      }
      candidate = candidate >= kMaxPortNumber ? 1 : candidate + 1;
    }
    if (slot.port == 0) return false;
  }
  slot.firstRow = memory_.RowFor(slot.port);
  slot.step = 0;
  slot.row = RowAtStep(slot, 0);
  return true;
}

CCOMSEARCH::Next CCOMSEARCH::HandleSlot(int index) {
  SearchSlot& slot = slots_[index];
  for (int pass = 0; pass < 2; ++pass) {
    const int64_t now = Clock().Ms();
    const SearchRow& row = SearchTableRow(slot.row);

    if (slot.state == SlotState::CoolDown) {
      if (now - slot.time > kSlotCoolDownMs) {
        slot.port = 0;
        slot.state = SlotState::Idle;
      }
      if (Port(slot.port).ioState.load(std::memory_order_acquire) == IoState::Closed)
        slot.state = SlotState::Idle;
    }
    // With one configured port only slot 0 searches; a later slot holding that
    // port lets it go too, or it would stay frozen while slot 0 waits for it.
    if (configuredPort_ > 0 && slot.port != 0 && (slot.port != configuredPort_ || index != 0)) {
      TraceLine(Format("[%i]FORCE CLOSE - Close port COM%i", index, slot.port));
      RequestClose(slot.port);
      slot.port = 0;
      slot.time = now;
      slot.state = SlotState::CoolDown;
    }
    if (slot.state == SlotState::Opening) {
      if (OpenFoundHeld(slot)) {
        // Another program has the port: not a failure of the port, and not
        // to be disturbed; the search moves on and looks again later.
        SkipHeldPort(index, now);
      } else if (now - slot.time > kSlotOpenLimitMs) {
        slot.state = SlotState::PortFailed;
        TraceLine(Format("[%i] Not Openning...", index));
        ReportOpenFailure(index);
      } else if (Port(slot.port).ioState.load(std::memory_order_acquire) == IoState::Open &&
                 Port(slot.port).request.load() == 0) {
        shownOpenError_[size_t(slot.port)] = 0;
        SetHeld(slot.port, false);
        SendProbe(slot);
        slot.time = now;
        slot.state = SlotState::SentOnce;
        TraceLine(Format("[%i] Send Once (%s)...", index, ProtoName(row.type)));
      }
    }
    if (slot.state == SlotState::SentOnce || slot.state == SlotState::SentAgain) {
      if (now - slot.time > row.timeout) {
        if (slot.state == SlotState::SentOnce) {
          if (slot.codec.SendDone()) slot.codec.ArmSend(slot.codec.txLen);
          slot.time = now;
          slot.state = SlotState::SentAgain;
          TraceLine(Format("[%i] Send Again...", index));
        } else {
          slot.state = SlotState::ProtocolFailed;
        }
      }
    }
    if (slot.state == SlotState::SentOnce || slot.state == SlotState::SentAgain) HandleAnswer(index);
    if (slot.state == SlotState::Identified) {
      if (slot.key == ProgramKey()) {
        Connect(index);
        return Next::EndStep;
      }
      const std::string text = Format(
          "###COM %i:%s (unmatched)##COM %i:%s verbunden (unübertroffen)##COM %i:%s připojen "
          "(nekompatibilní)",
          slot.port, slot.name, slot.port, slot.name, slot.port, slot.name);
      TraceLine(Format("[%i]%s", index, text.c_str()));
      if (status_)
        status_->ShowStatus(Slot::Connection, text.c_str(), kUnmatchedShowMs, Colour::Black, Colour::Red,
                            kUnmatchedPriority);
      NoteUnmatched(index);
      slot.state = SlotState::PortFailed;
    }
    if (slot.state == SlotState::PortFailed) {
      TraceLine(Format("[%i]FAIL PORT - Close port COM%i", index, slot.port));
      RequestClose(slot.port);
      slot.port = 0;
      slot.time = now;
      slot.state = SlotState::CoolDown;
    }
    if (slot.state == SlotState::ProtocolFailed) {
      const SearchRow& next = SearchTableRow(RowAtStep(slot, NextStep(slot)));
      if (slot.port != 0 && next.type != Proto::None && next.baud == row.baud) {
        TraceLine(Format("[%i]FAIL PROTOCOL - skip port closing", index));
        slot.state = SlotState::Idle;
      } else {
        TraceLine(Format("[%i]FAIL PROTOCOL - Close port COM%i", index, slot.port));
        RequestClose(slot.port);
        slot.time = now;
        slot.state = SlotState::CoolDown;
      }
    }
    if (slot.state != SlotState::Idle) return Next::Slot;

    if (slot.port != 0) {
      slot.step = NextStep(slot);
      slot.row = RowAtStep(slot, slot.step);
      if (SearchTableRow(slot.row).type == Proto::None) slot.port = 0;
    }
    if (slot.port == 0) {
      if (configuredPort_ > 0 && index != 0) return Next::EndStep;
      if (!TakePort(index)) return Next::Slot;
    }
    const SearchRow& use = SearchTableRow(slot.row);
    slot.codec.ResetCodec(use.type, use.timeout);
    CCOM& com = Port(slot.port);
    const bool readyOpen = com.ioState.load(std::memory_order_acquire) == IoState::Open &&
                           com.request.load() == 0 && com.baud.load() == use.baud;
    slot.time = now;
    slot.state = SlotState::Opening;
    if (!readyOpen) {
      RequestOpen(slot.port, use.baud);
      TraceLine(
          Format("[%i]Open Port COM%i, Protocol=%i, Timeout=%i", index, slot.port, use.type, use.timeout));
      return Next::Slot;
    }
    TraceLine(Format("[%i]...skip onening port COM%i, Protocol=%i, Timeout=%i", index, slot.port, use.type,
                     use.timeout));
    // Handle the slot again at once, so that its probe goes out in this step.
  }
  return Next::Slot;
}

void CCOMSEARCH::HandleAnswer(int index) {
  SearchSlot& slot = slots_[index];
  CCOM& com = Port(slot.port);
  CFrameCodec& codec = slot.codec;
  codec.SendStep(com);
  if (!codec.ReceiveStep(com)) return;
  const int frameLen = codec.RxFrameLen();
  TraceLine(Format("[%i] Frame rec (%i)...", index, frameLen));
  if (uint32_t(frameLen) == codec.txLen && std::memcmp(codec.rx, codec.tx, codec.txLen) == 0) {
    slot.state = SlotState::PortFailed;
    TraceLine(Format("[%i] ECHO !", index));
    return;
  }
  UnitIdentity id;
  if (IsShortFamily(codec.type)) {
    if (codec.rx[0] != kShortIdentifyAnswer) return;
    id = IdentifyShort(codec.type, codec.rx);
  } else {
    if (codec.RxWord(Hdr::Command) != kIdentifyCommand || (codec.rx[Hdr::Marker] & 0x0F) != Hdr::Positive)
      return;
    id = IdentifyHeader(codec.rx + Hdr::Data, codec.RxWord(Hdr::Length));
  }
  slot.hardwareId = id.hardwareId;
  slot.key = id.key;
  std::snprintf(slot.name, sizeof slot.name, "%s", id.name.c_str());
  slot.maxFrameLen = id.maxFrameLen;
  slot.frameOverhead = id.frameOverhead;
  slot.state = SlotState::Identified;
}

void CCOMSEARCH::Connect(int index) {
  SearchSlot& slot = slots_[index];
  const int port = slot.port;
  {
    std::lock_guard lock(linkMutex_);
    activeLink_ = slot;
  }
  linkGeneration_.fetch_add(1, std::memory_order_acq_rel);
  for (int i = 0; i < kSearchSlots; ++i) {
    if (i != index && slots_[i].port != 0 && slots_[i].port != port) RequestClose(slots_[i].port);
  }
  const std::string name = slot.name;
  memory_.Remember(port, slot.row);
  for (SearchSlot& s : slots_) {
    s.port = 0;
    s.state = SlotState::Idle;
  }
  SetPortListChanged();
  nextPort_ = port;
  SetEnabled(true);
  connectedPort_.store(port, std::memory_order_release);
  const std::string text =
      Format("###%s connected##%s verbunden##%s připojen", name.c_str(), name.c_str(), name.c_str());
  if (status_)
    status_->ShowStatus(Slot::Connection, text.c_str(), -1, Colour::Black, Colour::White, kConnectedPriority);
  TraceLine(Format("[%i]%s", index, name.c_str()));
}

}  // namespace ign
