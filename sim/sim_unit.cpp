#include "sim/sim_unit.h"

#include <algorithm>
#include <cmath>

#include "sim/advance_map.h"
#include "sim/constants.h"
#include "sim/pickup_stream.h"

namespace ign::sim {
namespace {

constexpr std::int64_t kTestShowMs = 1500;       // a one-shot test stays visible this long
constexpr int kSyncRpm = 500;                    // below: cranking, no full synchronisation
constexpr std::uint32_t kHourMeterStart = 7384;  // minutes the unit has run before

// Bit of records index 141 / 143 for an input function code; -1 when none.
int FunctionBit(int function) {
  switch (function) {
    case 1: return 0;  // kill switch
    case 2: return 1;  // blocking
    case 3:
    case 4: return 2;   // quickshift
    case 5: return 3;   // retard
    case 6: return 4;   // start limiter
    case 7: return 5;   // second advance map
    case 11: return 6;  // tacho / lambda
    case 10: return 7;  // N2O (enable bit only)
    default: return -1;
  }
}

}  // namespace

SimUnit::SimUnit(UnitConfig config, SettingsStore store)
    : config_(std::move(config)),
      store_(std::move(store)),
      engine_(config_.seed),
      commandLog_(config_.commandLog) {
  HeaderInfo info;
  info.key = config_.key;
  info.subversion = config_.subversion;
  info.name = config_.name;
  info.serial = config_.serial;
  header_ = BuildHeader(info);
}

int SimUnit::SavingCount(std::int64_t nowMs) const {
  if (lastWriteMs_ < 0) return 0;
  const std::int64_t left = kSavingMs - (nowMs - lastWriteMs_);
  if (left <= 0) return 0;
  return static_cast<int>(left * kSavingStart / kSavingMs);
}

void SimUnit::NoteWrite(std::int64_t nowMs) {
  if (SavingCount(nowMs) == 0) ++programmings_;
  lastWriteMs_ = nowMs;
}

void SimUnit::Reset(std::int64_t nowMs) {
  bootMs_ = nowMs;
  lastSampleMs_ = -1;
  maxAdvance_ = {};
  outputTestUntil_ = rpmTestUntil_ = ignitionTestUntil_ = -1;
  servoTrimMv_ = 0;
  pendingStream_.clear();
}

std::vector<std::uint8_t> SimUnit::ImageBytes(std::size_t address, std::size_t length) const {
  std::vector<std::uint8_t> d(length, 0);
  for (std::size_t i = 0; i < length; ++i)
    if (address + i < kImageSize) d[i] = store_.image()[address + i];
  return d;
}

std::vector<std::uint8_t> SimUnit::HeaderBytes(std::size_t address, std::size_t length) const {
  std::vector<std::uint8_t> d(length, 0);
  for (std::size_t i = 0; i < length; ++i)
    if (address + i < kHeaderSize) d[i] = header_[address + i];
  return d;
}

std::vector<std::uint8_t> SimUnit::RecordBytes(std::size_t address, std::size_t length) const {
  std::vector<std::uint8_t> d(length, 0);
  for (std::size_t i = 0; i < length; ++i)
    if (address + i < kRecordSize) d[i] = record_[address + i + 1];
  return d;
}

Reply SimUnit::Handle(const Request& request, std::int64_t nowMs) {
  if (bootMs_ < 0) bootMs_ = nowMs;
  return request.header ? HandleHeader(request, nowMs) : HandleShort(request, nowMs);
}

Reply SimUnit::HandleShort(const Request& r, std::int64_t nowMs) {
  Reply out;
  const int n = ShortDataBytes(config_.family);
  const std::uint8_t c = r.command;
  const std::uint8_t answer = static_cast<std::uint8_t>(c | kAnswerFlag);
  if (c == kCmdReset) {
    if (r.data.size() > 13 && r.data[12] == kResetMagic0 && r.data[13] == kResetMagic1) Reset(nowMs);
    out.frame = BuildShortAnswer(n, answer, r.data);
  } else if (c < kCmdMonitorBase) {  // write block c - 1; the data are echoed for the check
    const std::size_t address = static_cast<std::size_t>(c - 1) * n;
    if (address < kImageSize) {
      storeFailed_ =
          !store_.Write(address, r.data.data(), std::min<std::size_t>(r.data.size(), kImageSize - address));
      NoteWrite(nowMs);
    }
    out.frame = BuildShortAnswer(n, answer, r.data);
  } else if (c < kCmdHeader) {  // monitor block c - 0x30
    const int block = c - kCmdMonitorBase;
    const std::size_t address = static_cast<std::size_t>(block) * n;
    if (block == 0) {
      Sample(nowMs, r.data.size() >= 24 ? r.data.data() + 20 : nullptr);
    } else if (lastSampleMs_ < 0) {
      Sample(nowMs, nullptr);
    }
    std::vector<std::uint8_t> data = RecordBytes(address, n);
    if (block == 0) {
      // The identification reads the key from this answer: the last data byte of the
      // smaller frames, the 16-bit value at offsets 2 (high) and 3 (low) of the largest.
      if (config_.family == Family::Ign300) {
        data[1] = static_cast<std::uint8_t>((config_.key >> 8) & 0xFF);
        data[2] = static_cast<std::uint8_t>(config_.key & 0xFF);
      } else {
        data[n - 1] = static_cast<std::uint8_t>(config_.key & 0xFF);
      }
    }
    out.frame = BuildShortAnswer(n, answer, data);
    if (address + n >= kRecordSize) out.stream = std::move(pendingStream_), pendingStream_.clear();
  } else if (c == kCmdHeader) {
    out.frame = BuildShortAnswer(n, answer, HeaderBytes(0, n));
  } else if (c < 0x70) {  // read block c - 0x41
    const std::size_t address = static_cast<std::size_t>(c - kCmdReadBase - 1) * n;
    out.frame = BuildShortAnswer(n, answer, ImageBytes(address, n));
  }
  return out;
}

Reply SimUnit::HandleHeader(const Request& r, std::int64_t nowMs) {
  Reply out;
  const bool sum = config_.family == Family::Wcoms;
  const std::size_t maxData = static_cast<std::size_t>(config_.maxFrameLength) - kHeaderFrameOverhead;
  const auto lengthAsked = [&]() -> long {
    if (r.data.size() < 2) return -1;
    const std::size_t len = r.data[0] | (static_cast<std::size_t>(r.data[1]) << 8);
    return len > maxData ? -1 : static_cast<long>(len);
  };
  switch (r.word) {
    case kWordIdentify: {
      std::vector<std::uint8_t> d(config_.name.begin(), config_.name.end());
      if (d.size() > 31) d.resize(31);
      d.push_back(0);
      for (int v : {config_.maxFrameLength, config_.hardwareId, config_.key}) {
        d.push_back(static_cast<std::uint8_t>(v & 0xFF));
        d.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
      }
      out.frame = BuildHeaderReply(sum, true, kWordIdentify, r.address, d);
      break;
    }
    case kWordRead:
    case kWordHeader: {
      const long len = lengthAsked();
      if (len < 0) {
        out.frame = BuildHeaderReply(sum, false, r.word, r.address, {});
      } else {
        out.frame =
            BuildHeaderReply(sum, true, r.word, r.address,
                             r.word == kWordRead ? ImageBytes(r.address, len) : HeaderBytes(r.address, len));
      }
      break;
    }
    case kWordWrite:
      // Only the settings block can be written; anything reaching past it is refused whole.
      if (r.data.empty() || r.address + r.data.size() > kImageSize) {
        out.frame = BuildHeaderNak(sum, kWordWrite, r.address);
        break;
      }
      storeFailed_ = !store_.Write(r.address, r.data.data(), r.data.size());
      NoteWrite(nowMs);
      out.frame = storeFailed_ ? BuildHeaderNak(sum, kWordWrite, r.address)
                               : BuildHeaderAck(sum, kWordWrite, r.address);
      break;
    case kWordMonitor: {
      if (r.address == 0)
        Sample(nowMs, r.data.size() >= 24 ? r.data.data() + 20 : nullptr);
      else if (lastSampleMs_ < 0)
        Sample(nowMs, nullptr);
      const std::size_t len = std::min(r.data.size(), maxData);
      out.frame = BuildHeaderReply(sum, true, kWordMonitor, r.address, RecordBytes(r.address, len));
      if (r.address + len >= kRecordSize) out.stream = std::move(pendingStream_), pendingStream_.clear();
      break;
    }
    case kWordCommand:
      if (r.address == 1600) Reset(nowMs);
      out.frame = BuildHeaderAck(sum, kWordCommand, r.address);
      break;
    default: out.frame = BuildHeaderReply(sum, false, r.word, r.address, {}); break;
  }
  return out;
}

void SimUnit::Sample(std::int64_t nowMs, const std::uint8_t* commands) {
  using namespace adr;
  const Image& im = store_.image();
  const std::int64_t t = nowMs - bootMs_;
  ++records_;

  if (commands) {
    commandLog_.Note(commands);
    if (commands[0] & 0x0F) ignitionTestBits_ = commands[0] & 0x0F, ignitionTestUntil_ = nowMs + kTestShowMs;
    if (commands[1] & 0x1B) {
      outputTestBits_ = static_cast<std::uint8_t>((commands[1] & 0x03) | ((commands[1] >> 1) & 0x0C));
      outputTestUntil_ = nowMs + kTestShowMs;
    }
    if (commands[1] & 0x04) rpmTestUntil_ = nowMs + kTestShowMs;
    if (commands[1]) lastTestByte21_ = commands[1];
    if (commands[2] & 0x01) servoTrimMv_ += 100;
    if (commands[2] & 0x02) servoTrimMv_ -= 100;
  }

  EngineState eng = engine_.At(t, im[kLimiter] * 100);
  const EnginePins& pin = config_.pins;
  if (pin.rpm) {
    eng.rpm = *pin.rpm;
    eng.running = eng.rpm > 0;
    eng.onLimiter = im[kLimiter] > 0 && eng.rpm >= im[kLimiter] * 100;
  }
  if (pin.batteryMv) eng.batteryMv = *pin.batteryMv;
  if (pin.load) eng.throttle = eng.pressure = *pin.load;
  if (lastSampleMs_ >= 0 && eng.running) runningMs_ += nowMs - lastSampleMs_;
  lastSampleMs_ = nowMs;

  MonitorValues v;
  v.bike = im[kBike];
  v.key = config_.key;
  v.subversion = config_.subversion;
  v.hwKey = config_.hardwareId;
  v.sensorType = std::min<int>(pin.sensor ? *pin.sensor : im[kTpsIapSensor], 2);
  v.rpm = nowMs < rpmTestUntil_ ? im[kTestSet] * 100 : eng.rpm;

  // Load sensor.
  if (v.sensorType == 2) {
    v.load = eng.pressure;
    const int p1 = Word(im, kIapSensorWord), u1 = Word(im, kIapSensorWord + 1);
    const int p2 = Word(im, kIapSensorWord + 2), u2 = Word(im, kIapSensorWord + 3);
    v.loadMv = p2 != p1 ? u1 + (u2 - u1) * (v.load - p1) / (p2 - p1) : u1;
  } else {
    v.load = static_cast<int>(std::lround(eng.throttle));
    const int u0 = Word(im, kTpsWord), u100 = Word(im, kTpsWord + 1);
    v.loadMv = v.sensorType == 1 ? u0 + static_cast<int>(std::lround((u100 - u0) * eng.throttle / 100.0)) : 0;
  }
  v.loadMv = std::clamp(v.loadMv, 0, 5000);
  v.batteryMv = eng.batteryMv;

  // Multifunction inputs 1 and 2.
  std::uint8_t states = 0, enabled = 0, levels = 0;
  const bool low[2] = {eng.input1Low, eng.input2Low};
  for (int i = 0; i < 2; ++i) {
    if (low[i]) levels |= static_cast<std::uint8_t>(1 << i);
    const int bit = FunctionBit(im[kInputFunction + i]);
    if (bit < 0) continue;
    enabled |= static_cast<std::uint8_t>(1 << bit);
    const bool inverted = (im[kInputInvert] >> i) & 1;
    if ((low[i] != inverted) && bit < 7) states |= static_cast<std::uint8_t>(1 << bit);
  }
  v.inputStates = states;
  v.inputEnabled = enabled;
  v.inputLevels = levels;
  const bool secondMap = (states >> 5) & 1;
  const bool retard = (states >> 3) & 1;

  // Advance per channel from the advance map in use.
  const int channels = std::clamp<int>(im[kChannelCount], 1, 4);
  const bool synced = eng.running && eng.rpm >= kSyncRpm;
  const double loadForMap = v.sensorType == 2 ? v.load : eng.throttle;
  std::array<double, 4> advanceDeg{};
  for (int c = 0; c < 4; ++c) {
    if (c >= channels || !synced) continue;
    double a = MapAdvance(im, secondMap, eng.rpm, loadForMap) + (im[kCorrAdvance + c] - 100);
    if (retard) a -= im[kRetard];
    if (pin.advance) a = *pin.advance;
    advanceDeg[c] = a;  // the sparks in the pick-up stream fall where the record says
    const int deg = static_cast<int>(std::lround(a));
    v.advanceByte[c] = std::clamp(deg + 100, 1, 255);
    maxAdvance_[c] = std::max(maxAdvance_[c], deg);
  }
  v.maxAdvance = maxAdvance_;

  // Power outputs.
  std::uint8_t pout = outputs_.Update(im, v.rpm, eng.running);
  if (nowMs < outputTestUntil_) pout |= outputTestBits_;
  v.powerOut = pout;
  v.powerOutMode = {im[kPowerOutFunction], im[kPowerOutFunction + 1], 0, 0};

  // Servo: target from the servo map row 0, the position a little behind it.
  const bool percent = im[kServoPercent] != 0;
  {
    const int cols = std::clamp<int>(im[kServoColumns], 1, 15);
    int xs[15];
    double ys[15];
    for (int c = 0; c < cols; ++c) {
      xs[c] = im[kServoRpm + c] * 100;
      ys[c] = percent ? im[kServo + c] * 50.0 : im[kServo + c] * 20.0;
    }
    const int target =
        std::clamp(static_cast<int>(Interpolate(xs, ys, cols, eng.rpm)) + servoTrimMv_, 0, 5000);
    v.servoTargetMv = target;
    v.servoMv = std::clamp(target - 15 + static_cast<int>(t % 31), 0, 5000);
    v.servoTargetPercent = target / 50;
    v.servoPercent = v.servoMv / 50;
  }

  v.programmings = programmings_;
  v.savingCount = SavingCount(nowMs);
  v.dwellOpt = 30;
  v.dwell = im[kDwell] ? im[kDwell] : 32;
  v.overvoltages = 2;
  // Every fifth record tells when the last overvoltage happened instead of the hour meter.
  v.overvoltageTime = records_ % 5 == 0;
  v.minutes = v.overvoltageTime ? 5123u : kHourMeterStart + static_cast<std::uint32_t>(runningMs_ / 60000);
  v.tests[0] = nowMs < ignitionTestUntil_ ? ignitionTestBits_ : 0;
  v.tests[1] = lastTestByte21_;
  v.tests[2] = servoTrimMv_;
  v.tests[3] = eng.onLimiter ? 1 : 0;
  v.tests[4] = records_ & 0xFFFF;
  for (int i = 0; i < 5; ++i) v.tests[5 + i] = Word(im, kProprietaryWord + i);

  v.synchro = im[kPickupSystem];
  v.channels = im[kChannelCount];
  if (synced) v.fullSync = static_cast<std::uint8_t>(((1 << channels) - 1) | 0x10);
  const bool second = HasSecondPickup(im[kPickupSystem]);
  std::uint8_t pick = 0;
  if (eng.running) pick |= 0x01;
  if (eng.running && second) pick |= 0x02;
  if (im[kPickup1Polarity] == 1) pick |= 0x10;
  if (im[kPickup2Polarity] == 1) pick |= 0x20;
  v.pickupFlags = pick;
  v.errors = 0x10;                     // servo in order
  if (storeFailed_) v.errors |= 0x01;  // the settings could not be stored
  std::uint8_t lim = 0;
  const int limiterRpm = im[kLimiter] * 100;
  if (eng.onLimiter) lim |= 0x01;
  if (eng.rpm >= limiterRpm - 200 && eng.rpm > 0) lim |= 0x02;
  if (enabled & 0x10) lim |= 0x04;  // start limiter ready
  if (percent) lim |= 0x10;
  if (im[kServoEnable]) lim |= 0x20;
  v.limiterFlags = lim;

  // Pick-up stream on request (byte 23 of the monitor request).
  pendingStream_.clear();
  if (commands && commands[3] == 1) {
    StreamInput in;
    in.rpm = eng.rpm;
    in.synchronised = synced;
    const EnginePins& pins = config_.pins;
    if (pins.streamType) in.synchronised = *pins.streamType == 1;
    if (pins.streamSwitchAfter && streamsSent_ >= *pins.streamSwitchAfter) in.synchronised = !in.synchronised;
    if (pins.cycleCode) in.cycleCode = *pins.cycleCode;
    in.advance = advanceDeg;
    in.cut = eng.onLimiter;
    in.startStamp = static_cast<std::uint32_t>((nowMs * 2500) & 0xFFFFFF);
    PickupStream s = BuildPickupStream(im, in);
    if (s.bytes.size() <= kMaxStreamBytes) {
      v.streamType = s.type;
      v.streamLength = static_cast<int>(s.bytes.size());
      v.streamXor = s.Xor();
      v.streamSum = s.Sum();
      v.cycleCode = s.cycleCode;
      pendingStream_ = std::move(s.bytes);
      ++streamsSent_;
    }
  }
  record_ = LayOutRecord(v);
}

}  // namespace ign::sim
