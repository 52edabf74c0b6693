#pragma once
// Collects the developer error boxes shown during a test.
#include <string>
#include <vector>

#include "core/text/message_box.h"

namespace ign::test {

class MessageBoxSpy : public IMessageBox {
 public:
  MessageBoxSpy() : previous_(SetMessageBox(this)) {}
  ~MessageBoxSpy() override { SetMessageBox(previous_); }
  void ShowMessage(const std::string& text) override { shown.push_back(text); }

  std::vector<std::string> shown;

 private:
  IMessageBox* previous_;
};

}  // namespace ign::test
