#pragma once
// A scripted unit of the "IGN150" family on an in-memory line: collects each
// 152-byte request and answers it through a handler the test supplies.
#include <functional>
#include <memory>
#include <vector>

#include "core/comm/memory_port.h"

namespace ign::test {

using Frame = std::vector<uint8_t>;

inline Frame ShortFrame(uint8_t command, const Frame& data /* 150 bytes */) {
  Frame f(152, 0);
  f[0] = command;
  for (size_t i = 0; i < 150 && i < data.size(); ++i) f[1 + i] = data[i];
  uint8_t x = 0xFF;
  for (size_t i = 0; i < 151; ++i) x ^= f[i];
  f[151] = x;
  return f;
}

struct MemoryUnit {
  std::shared_ptr<MemoryLine> line;
  // Gets each request; returns the answer (empty: no answer).
  std::function<Frame(const Frame& request, int index)> handler;
  Frame pending;
  int requests = 0;

  void Step() {
    const Frame sent = line->TakeSent();
    pending.insert(pending.end(), sent.begin(), sent.end());
    while (pending.size() >= 152) {
      const Frame request(pending.begin(), pending.begin() + 152);
      pending.erase(pending.begin(), pending.begin() + 152);
      const Frame answer = handler(request, requests++);
      if (!answer.empty()) line->Answer(answer);
    }
  }
};

// The identification answer of a unit with the given key.
inline Frame IdentAnswer(int key) {
  Frame data(150, 0);
  data[149] = uint8_t(key);
  return ShortFrame(0xB0, data);
}

}  // namespace ign::test
