#pragma once
// A status display that remembers what it was asked to show.
#include <string>
#include <vector>

#include "core/base/status_iface.h"

namespace ign::test {

struct FakeStatus : IStatus {
  struct Shown {
    int slot;
    std::string text;
    int durationMs;
    uint32_t font, back;
    int priority;
  };
  std::vector<Shown> shown;
  void ShowStatus(int slot, const char* packed, int durationMs, uint32_t font, uint32_t back,
                  int priority) override {
    shown.push_back({slot, packed ? packed : "", durationMs, font, back, priority});
  }
  void RefreshTitle() override {}
  const Shown* Find(const std::string& part) const {
    for (const Shown& s : shown)
      if (s.text.find(part) != std::string::npos) return &s;
    return nullptr;
  }
};

}  // namespace ign::test
