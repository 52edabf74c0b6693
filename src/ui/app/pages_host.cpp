// TMainForm: the parameter pages and their host.
#include "ui/app/pages_host.h"

#include "core/device/engine.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/tool_bar.h"

namespace ign {

QWidget* TPagesHost::ProgramAfterChangeBox() { return form_.ToolBar().ProgramAfterChange(); }
int32_t TPagesHost::Tick() const { return int32_t(form_.TickCount()); }
bool TPagesHost::StartupComplete() const { return form_.Initialised(); }
// New also forgets the window's file name.
void TPagesHost::NewDefaults(int group) { form_.NewDefaults(group); }
bool TPagesHost::DeveloperTestMode() const { return form_.DeveloperTestMode(); }
void TPagesHost::NoteRecorderView() { form_.Session().Monitor().RecordView(); }
void TPagesHost::RefreshLiveDisplay() { form_.RefreshLiveDisplay(); }
void TPagesHost::LoadBinaryDump() { form_.ButtonLoadBinClick(); }

void TMainForm::BuildPages() {
  pagesHost_ = std::make_unique<TPagesHost>(*this, *session_);
  pages_ = std::make_unique<TPages>(*pagesHost_, layout_->pageControl);
  pages_->Build();
  Defaults().onMapsReload = [this] { pages_->FlagEditors(EditorRefresh::kData); };
}

}  // namespace ign
