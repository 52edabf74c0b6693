#include "sim/request_reader.h"

#include <span>

#include "sim/checks.h"

namespace ign::sim {
namespace {

constexpr std::uint8_t kStart[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB};

}  // namespace

RequestReader::RequestReader(Family family, int gapMs) : family_(family), gapMs_(gapMs) {}

long RequestReader::CandidateLength() const {
  if (!IsHeaderFamily(family_)) {
    if (buf_[0] & 0x80) return -1;  // requests carry bit 7 clear
    return ShortDataBytes(family_) + 2;
  }
  for (std::size_t i = 0; i < buf_.size() && i < 7; ++i)
    if (buf_[i] != kStart[i]) return -1;
  if (buf_.size() >= 8) {
    const std::uint8_t want = family_ == Family::Wcoms ? 0xFB : 0xBB;  // request of the unit's check kind
    if (buf_[7] != want) return -1;
  }
  if (buf_.size() < 14) return 0;
  const std::size_t n = buf_[12] | (static_cast<std::size_t>(buf_[13]) << 8);
  if (n > kMaxHeaderData) return -1;
  return static_cast<long>(n + kHeaderFrameOverhead);
}

bool RequestReader::Checks(std::size_t len) const {
  std::span<const std::uint8_t> f(buf_.data(), len);
  if (!IsHeaderFamily(family_)) return ShortCheck(f) == 0;
  if (family_ == Family::Wcoms) return HeaderSum(f) == 0xFFFF;
  const std::uint16_t crc = HeaderCrc(f.first(len - 2));
  return (crc & 0xFF) == f[len - 2] && (crc >> 8) == f[len - 1];
}

Request RequestReader::Decode(std::size_t len) const {
  Request r;
  if (!IsHeaderFamily(family_)) {
    r.command = buf_[0];
    r.data.assign(buf_.begin() + 1, buf_.begin() + static_cast<std::ptrdiff_t>(len - 1));
    return r;
  }
  r.header = true;
  r.marker = buf_[7];
  r.word = static_cast<std::uint16_t>(buf_[8] | (buf_[9] << 8));
  r.address = static_cast<std::uint16_t>(buf_[10] | (buf_[11] << 8));
  r.data.assign(buf_.begin() + 14, buf_.begin() + static_cast<std::ptrdiff_t>(len - 2));
  return r;
}

void RequestReader::Settle(std::vector<Request>& out) {
  while (!buf_.empty()) {
    const long len = CandidateLength();
    if (len < 0) {
      buf_.erase(buf_.begin());
      continue;
    }
    if (len == 0 || buf_.size() < static_cast<std::size_t>(len)) return;
    if (Checks(static_cast<std::size_t>(len))) {
      out.push_back(Decode(static_cast<std::size_t>(len)));
      buf_.erase(buf_.begin(), buf_.begin() + len);
    } else {
      ++badFrames_;
      buf_.erase(buf_.begin());
    }
  }
}

std::vector<Request> RequestReader::Feed(std::uint8_t byte, std::int64_t nowMs) {
  std::vector<Request> out;
  if (!buf_.empty() && nowMs - lastByteMs_ > gapMs_) buf_.clear();
  lastByteMs_ = nowMs;
  buf_.push_back(byte);
  Settle(out);
  return out;
}

}  // namespace ign::sim
