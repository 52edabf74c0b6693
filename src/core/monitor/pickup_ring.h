#pragma once
// The ring of pick-up samples between the taken streams and the curve
// building: the writer appends, the builder reads from the read index up to
// the write index. When the writer catches up with the reader, the oldest
// sample is lost.
#include <array>
#include <cstddef>
#include <cstdint>

namespace ign {

class CPickupRing {
 public:
  static constexpr size_t kSize = 10000;

  void Push(uint32_t sample);
  // Forgets what was not read: the next samples start a fresh span.
  void Restart() { read_ = write_; }
  // Marks everything written as read.
  void Consume() { read_ = write_; }
  bool Empty() const { return read_ == write_; }
  // Samples from the read index to the write index.
  size_t Unread() const { return (write_ + kSize - read_) % kSize; }
  // The i-th unread sample (0 is the oldest).
  uint32_t At(size_t i) const { return samples_[(read_ + i) % kSize]; }
  size_t ReadIndex() const { return read_; }
  size_t WriteIndex() const { return write_; }

 private:
  std::array<uint32_t, kSize> samples_{};
  size_t read_ = 0;
  size_t write_ = 0;
};

}  // namespace ign
