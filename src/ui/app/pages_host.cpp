// TMainForm: the parameter pages and their host.
#include "ui/app/pages_host.h"

#include <algorithm>

#include "core/device/engine.h"
#include "core/text/language.h"
#include "core/text/messages.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/tool_bar.h"

namespace ign {

namespace {
constexpr int kMsgTestSent = 124, kMsgTestWaits = 125;
}  // namespace

CSettingsDoc& TPagesHost::Params() { return form_.Params(); }
void TPagesHost::NormaliseImage() { form_.NormaliseEditedImage(); }
bool TPagesHost::Snapshot() { return form_.Undo().TakeSnapshot(); }
bool TPagesHost::ProgramAfterChange() const { return form_.ToolBar().ProgramAfterChangeChecked(); }
void TPagesHost::RequestProgramChanged() { form_.Engine().Machine().RequestProgramChanged(); }
QWidget* TPagesHost::ProgramAfterChangeBox() { return form_.ToolBar().ProgramAfterChange(); }
int32_t TPagesHost::Tick() const { return int32_t(form_.TickCount()); }
bool TPagesHost::StartupComplete() const { return form_.Initialised(); }
void TPagesHost::NewDefaults(int group) { form_.NewDefaults(group); }

void TPagesHost::SetBikeChanged() {
  form_.Defaults().SetBikeChanged(true);
  form_.Defaults().SetGroupMask(Group::All);
}

void TPagesHost::ApplyBikePreset() {
  Image& img = form_.Params().Working();
  form_.Defaults().ApplyBikePreset(img);
  img[Adrb::CHANNEL_COUNT] = uint8_t(std::clamp<int>(img[Adrb::CHANNEL_COUNT], 1, 4));
}

void TPagesHost::AddTestBits(int index, uint8_t bits) {
  auto& pending = form_.Engine().Machine().testBits;
  if (index >= 0 && index < int(pending.size())) pending[size_t(index)] |= bits;
}

// The pending bits go out with the next monitor request: at once while a
// unit is connected, else once one is.
void TPagesHost::NoteTestRequest(const std::array<std::string, 3>& caption) {
  const int msg = form_.Engine().Machine().Connected() ? kMsgTestSent : kMsgTestWaits;
  std::string packed;
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY})
    packed += std::string(language == LNG_ENGLISH ? "###" : "##") + MsgIn(msg, language) + " " +
              caption[size_t(language)];
  form_.Status().ShowStatus(Slot::Result, packed.c_str(), 5000, Colour::Black, Colour::ButtonFace,
                            StatusPriority::Operation);
}

bool TPagesHost::DeveloperTestMode() const { return form_.DeveloperTestMode(); }
void TPagesHost::NoteRecorderView() {
  if (TMonitorCommands* m = form_.MonitorIfBuilt()) m->RecordView();
}
void TPagesHost::RefreshLiveDisplay() { form_.RefreshLiveDisplay(); }
void TPagesHost::LoadBinaryDump() { form_.ButtonLoadBinClick(); }

// Shown long enough to be read; an operation's own texts replace it.
void TPagesHost::ShowValueNote(const std::string& packed) {
  form_.Status().ShowStatus(Slot::Result, packed.c_str(), 8000, Colour::Black, Colour::Yellow,
                            StatusPriority::Operation);
}

void TMainForm::BuildPages() {
  pagesHost_ = std::make_unique<TPagesHost>(*this);
  pages_ = std::make_unique<TPages>(*pagesHost_, layout_->pageControl);
  pages_->Build();
  defaults_.onMapsReload = [this] { pages_->FlagEditors(EditorRefresh::kData); };
}

}  // namespace ign
