#include "core/update/update_state.h"

#include <cstring>

namespace ign {

bool CUpdateState::Request() {
  int expected = int(UpdateState::Idle);
  return state_.compare_exchange_strong(expected, int(UpdateState::Requested), std::memory_order_acq_rel);
}

bool CUpdateState::Finish(std::string_view document) {
  if (state_.load(std::memory_order_acquire) != int(UpdateState::Requested)) return false;
  if (!document.empty()) {
    // Zero-filled, one byte longer: the document is always NUL-terminated.
    data_ = std::make_unique<char[]>(document.size() + 1);
    std::memcpy(data_.get(), document.data(), document.size());
    size_.store(document.size(), std::memory_order_release);
  }
  state_.store(int(UpdateState::Finished), std::memory_order_release);
  return true;
}

bool CUpdateState::MarkHandled() {
  int expected = int(UpdateState::Finished);
  return state_.compare_exchange_strong(expected, int(UpdateState::Handled), std::memory_order_acq_rel);
}

std::string_view CUpdateState::Data() const {
  const int state = state_.load(std::memory_order_acquire);
  if (state != int(UpdateState::Finished) && state != int(UpdateState::Handled)) return {};
  const std::size_t size = size_.load(std::memory_order_acquire);
  return size ? std::string_view(data_.get(), size) : std::string_view();
}

}  // namespace ign
