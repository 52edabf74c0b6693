#pragma once
// The hand-over between the GUI thread and the update worker: one state and
// the received document, without a lock.
//
//   0 idle -> 1 requested (GUI) -> 2 finished (worker) -> 3 handled (GUI)
//
// The worker writes the document and its size before it publishes state 2
// with release; the GUI thread reads the state with acquire before it looks
// at the document. Each side writes the state only in its own transitions.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ign {

enum class UpdateState : int { Idle = 0, Requested = 1, Finished = 2, Handled = 3 };

class CUpdateState {
 public:
  UpdateState State() const { return UpdateState(state_.load(std::memory_order_acquire)); }

  // GUI thread: 0 -> 1. False when the state was not 0.
  bool Request();
  // Worker: stores the document (empty: no data) and then 1 -> 2. False (and
  // nothing stored) when the state was not 1.
  bool Finish(std::string_view document);
  // GUI thread: 2 -> 3. False when the state was not 2.
  bool MarkHandled();

  // The document once the state is 2 or 3 (followed by a NUL); empty when the
  // transfer gave no data.
  std::string_view Data() const;
  bool HasData() const { return size_.load(std::memory_order_acquire) != 0; }

 private:
  std::atomic<int> state_{int(UpdateState::Idle)};
  std::unique_ptr<char[]> data_;  // written by the worker before state 2
  std::atomic<std::size_t> size_{0};
};

}  // namespace ign
