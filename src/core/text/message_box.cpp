#include "core/text/message_box.h"

#include <cstdio>

namespace ign {

namespace {
class StderrMessageBox : public IMessageBox {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", kErrorCaption, text.c_str());
  }
};

StderrMessageBox g_stderrBox;
IMessageBox* g_box = &g_stderrBox;
}  // namespace

IMessageBox* SetMessageBox(IMessageBox* box) {
  IMessageBox* previous = g_box == &g_stderrBox ? nullptr : g_box;
  g_box = box ? box : &g_stderrBox;
  return previous;
}

IMessageBox& MessageBox() { return *g_box; }

}  // namespace ign
