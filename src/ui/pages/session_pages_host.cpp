#include "ui/pages/session_pages_host.h"

#include "core/text/language.h"
#include "core/text/messages.h"

namespace ign {

namespace {
constexpr int kMsgTestSent = 124, kMsgTestWaits = 125;
}  // namespace

void TSessionPagesHost::NewDefaults(int group) {
  session_.LoadDefaults(group);
  session_.Engine().Status().ShowStatus(Slot::Result, nullptr, 0, Colour::None, Colour::None, 10);
}

void TSessionPagesHost::AddTestBits(int index, uint8_t bits) { session_.AddTestBits(index, bits); }

// The pending bits go out with the next monitor request: at once while a
// unit is connected, else once one is.
void TSessionPagesHost::NoteTestRequest(const std::array<std::string, 3>& caption) {
  const int msg = session_.Machine().Connected() ? kMsgTestSent : kMsgTestWaits;
  std::string packed;
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY})
    packed += std::string(language == LNG_ENGLISH ? "###" : "##") + MsgIn(msg, language) + " " +
              caption[size_t(language)];
  session_.Engine().Status().ShowStatus(Slot::Result, packed.c_str(), 5000, Colour::Black, Colour::ButtonFace,
                                        StatusPriority::Operation);
}

// Shown long enough to be read; an operation's own texts replace it.
void TSessionPagesHost::ShowValueNote(const std::string& packed) {
  session_.Engine().Status().ShowStatus(Slot::Result, packed.c_str(), 8000, Colour::Black, Colour::Yellow,
                                        StatusPriority::Operation);
}

}  // namespace ign
