#include "core/monitor/recorder.h"

#include <algorithm>
#include <cstring>

#include "core/base/atomic_file.h"
#include "core/text/codepage.h"

namespace ign {

void CRecorder::Begin(const std::string& path, const RecordingHeader& header) {
  active_ = true;
  path_ = path;
  header_ = header;
  data_.clear();
  data_.reserve(256 * 1024);
  offsets_.clear();
  count_ = initial_ = 0;
}

void CRecorder::End() {
  active_ = false;
  data_.clear();
  data_.shrink_to_fit();
  offsets_.clear();
  count_ = initial_ = 0;
}

CRecorder::Append CRecorder::Add(uint8_t type, std::string_view payload, uint32_t timeMs) {
  const size_t length = Rec::kRecordHead + payload.size();
  if (count_ >= Rec::kMaxRecords || data_.size() + length > Rec::kMaxData || length > 0xFFFF)
    return Append::Full;
  const size_t at = data_.size();
  data_.resize(at + length);
  uint8_t* p = data_.data() + at;
  PutU16(p, uint32_t(length));
  p[2] = type;
  p[3] = 0;
  PutU32(p + 4, timeMs);
  std::memcpy(p + Rec::kRecordHead, payload.data(), payload.size());
  offsets_.push_back(uint32_t(at));
  ++count_;
  return Append::Ok;
}

std::string CRecorder::FileBytes() const {
  const size_t headerLen = size_t(Rec::kHeaderBase) + 2 * size_t(count_);
  std::string out(headerLen + data_.size(), '\0');
  uint8_t* h = reinterpret_cast<uint8_t*>(out.data());
  PutU16(h + Rec::kOffLength, uint32_t(headerLen));
  PutU32(h + Rec::kOffStart, header_.startTime);
  for (int i = 0; i < 4; ++i) PutU32(h + Rec::kOffOs + 4 * i, header_.os[size_t(i)]);
  for (int s = 0; s < 4; ++s) {
    const RecordedScreen& r = header_.screens[size_t(s)];
    uint8_t* p = h + Rec::kOffScreens + 8 * s;
    PutU16(p, uint16_t(r.left));
    PutU16(p + 2, uint16_t(r.width));
    PutU16(p + 4, uint16_t(r.top));
    PutU16(p + 6, uint16_t(r.height));
  }
  PutU32(h + Rec::kOffReserved, header_.reserved);
  PutU16(h + Rec::kOffKey, uint16_t(header_.key));
  const std::string ident = Utf8ToCp1250(header_.ident);
  std::memcpy(h + Rec::kOffIdent, ident.data(), std::min<size_t>(ident.size(), Rec::kIdentMax - 1));
  PutU32(h + Rec::kOffDataSize, uint32_t(data_.size()));
  PutU16(h + Rec::kOffInitial, uint32_t(initial_));
  PutU16(h + Rec::kOffCount, uint32_t(count_));
  for (int i = 0; i < count_; ++i) {
    PutU16(h + Rec::kOffLow + 2 * i, offsets_[size_t(i)] & 0xFFFF);
    PutU16(h + Rec::kHeaderBase + 2 * i, offsets_[size_t(i)] >> 16);
  }
  if (!data_.empty()) std::memcpy(h + headerLen, data_.data(), data_.size());
  return out;
}

bool CRecorder::Save() const { return active_ && WriteFileAtomically(path_, FileBytes()); }

}  // namespace ign
