#include "ui/pages/pages.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include <QAccessible>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <climits>

#include "core/mapedit/typed_entry.h"
#include "core/text/relabel.h"
#include "ui/mapedit/map_editor.h"
#include "ui/pages/advance_page.h"
#include "ui/pages/bike_page.h"
#include "ui/pages/misc_page.h"
#include "ui/pages/power_out_page.h"
#include "ui/pages/sensors_page.h"
#include "ui/pages/servo_page.h"
#include "ui/pages/test_page.h"

namespace ign {

namespace {

// Object names and layout captions of the tab sheets by page index. The
// caption tables relabel the pages that have rows there.
struct SheetName {
  const char* name;
  const char* caption;
};
constexpr SheetName kSheets[Page::Count] = {
    {"TabSheetRuzne", "Miscellaneous"}, {"TabSheetBike", "Bike"},      {"TabSheetSensors", "Sensors"},
    {"TabSheetAdvance", "Advance Map"}, {"TabSheetPOut", "Power out"}, {"TabSheetServo", "Servo"},
    {"TabSheetGear", "Gear"},           {"TabSheetRace", "Race"},      {"TabSheetN2O", "N2O"},
    {"TabSheet_Ladeni", "Test"},
};
constexpr bool kHiddenPage[Page::Count] = {false, false, false, false, false, false, true, true, true, false};
constexpr int kPageOrder[] = {0, 1, 2, 3, 4, 5, 9};
// Pages initialised in this order (the controls' creation order).
constexpr int kInitOrder[] = {0, 2, 1, 3, 4, 5, 9};

// The controls of a page lie on a body that scrolls inside the sheet when the
// window is smaller than the page needs: nothing is squeezed or cut, and the
// page never makes the window grow.
QWidget* ScrollingBody(QWidget* sheet) {
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(sheet);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->viewport()->setAutoFillBackground(false);
  auto* body = new QWidget();
  body->setObjectName(sheet->objectName() + "Body");
  body->setAutoFillBackground(false);
  scroll->setWidget(body);
  layout->addWidget(scroll);
  return body;
}

}  // namespace

TPages::TPages(IPagesHost& host, QTabWidget* pageControl)
    : QObject(pageControl), host_(host), control_(pageControl), settle_([this] { CommitEdit(); }) {}

TPages::~TPages() {
  if (relabelStep_) UnregisterRelabelStep(relabelStep_);
}

void TPages::Build() {
  editors_.clear();
  std::array<QWidget*, Page::Count> bodies{};
  for (int i = 0; i < Page::Count; ++i) {
    auto* sheet = new QWidget();
    sheet->setObjectName(kSheets[i].name);
    bodies[size_t(i)] = ScrollingBody(sheet);
    control_->addTab(sheet, QString::fromUtf8(kSheets[i].caption));
    control_->setTabVisible(i, !kHiddenPage[i]);
    sheets_[size_t(i)] = sheet;
  }
  pages_[Page::Misc] = std::make_unique<TMiscPage>(*this);
  pages_[Page::Bike] = std::make_unique<TBikePage>(*this);
  pages_[Page::Advance] = std::make_unique<TAdvancePage>(*this);
  pages_[Page::Sensors] = std::make_unique<TSensorsPage>(*this);
  pages_[Page::PowerOut] = std::make_unique<TPowerOutPage>(*this);
  pages_[Page::Servo] = std::make_unique<TServoPage>(*this);
  pages_[Page::Test] = std::make_unique<TTestPage>(*this);
  for (int p : kInitOrder) pages_[size_t(p)]->Init(bodies[size_t(p)]);
  activePage_ = std::max(0, control_->currentIndex());
  connect(control_, &QTabWidget::currentChanged, this, &TPages::PageControl1Change);
  relabelStep_ = RegisterRelabelStep(RelabelOrder::PageTexts + 1, [this] { Relabel(); });
}

// ---- dispatcher -----------------------------------------------------------------

void TPages::LoadPages(bool all) {
  CommonLoad();
  guard_.Run([&] {
    for (int p : kPageOrder)
      if (all || p == activePage_) pages_[size_t(p)]->Load(Edited());
  });
  CommonLoad();
  if (all) referenceReset_ = true;
}

void TPages::StorePage() {
  if (TPage* page = PageAt(activePage_)) page->Store(Edited());
}

void TPages::RefreshPages(bool all) {
  guard_.Run([&] {
    for (int p : kPageOrder)
      if (all || p == activePage_) pages_[size_t(p)]->Refresh(Edited());
  });
  CommonRefresh();
}

void TPages::CommonLoad() {
  guard_.Run([&] { CommonRefresh(); });
}

void TPages::CommonRefresh() {
  if (refreshing_) return;
  refreshing_ = true;
  RecomputeFlags();
  host_.FitStatusBar();
  host_.RefreshLiveDisplay();
  refreshing_ = false;
}

FeatureFlags TPages::RecomputeFlags() {
  flags_ = RefreshFeatureFlags(Edited());
  return flags_;
}

void TPages::Relabel() {
  guard_.Run([&] {
    for (int p : kPageOrder) pages_[size_t(p)]->Relabel(Edited());
  });
}

// ---- change handling ---------------------------------------------------------------

void TPages::NoteChange(const void* control, ChangeKind kind) {
  settle_.NoteChange(control, kind, host_.Tick());
}

void TPages::CommitEdit() {
  StorePage();
  host_.NormaliseImage();
  LoadPages(false);
  const bool changed = host_.Snapshot();
  if (changed && host_.ProgramAfterChange()) host_.RequestProgramChanged();
}

bool TPages::ChangePending() const {
  if (settle_.Pending()) return true;
  return std::any_of(editors_.begin(), editors_.end(),
                     [](const auto& e) { return e->Model().PendingMask(); });
}

void TPages::CommitPending() {
  for (auto& e : editors_)
    if (e->Model().PendingMask()) e->Model().ReportDue(INT32_MAX);
  settle_.CommitPending(host_.Tick());
}

void TPages::SettleStep() { settle_.Settle(host_.Tick()); }

void TPages::PageTick(int page) {
  if (TPage* p = PageAt(page)) p->Tick(Edited(), page == activePage_);
}

// An edit that the user typed into and left. It counts while it lies on the
// page in front: the page switch hides it before it loses the focus.
void TPages::FormEditLooseFocus(TUpDown* edit) {
  if (guard_.Active() || !edit->isVisibleTo(Sheet(activePage_))) return;
  NoteChange(edit, ChangeKind::Immediate);
}

void TPages::FormKeyPress(QWidget* sender) {
  if (!guard_.Active()) NoteChange(sender, ChangeKind::Immediate);
}

void TPages::FormUpDownClick(TUpDown* upDown) {
  if (!guard_.Active()) NoteChange(upDown, ChangeKind::Stepping);
}

void TPages::FormCheckBoxClick(QWidget* box) {
  if (!guard_.Active()) NoteChange(box, ChangeKind::Immediate);
}

void TPages::FormRadioGroupClick(QWidget* group) {
  if (!guard_.Active()) NoteChange(group, ChangeKind::Immediate);
}

void TPages::FormComboChange(QComboBox* combo) {
  if (!guard_.Active()) NoteChange(combo, ChangeKind::Immediate);
  if (QWidget* box = host_.ProgramAfterChangeBox()) box->setFocus();
}

void TPages::PageControl1Change(int index) {
  if (index < 0 || index == activePage_) return;
  CommitPending();  // the page still in the dispatcher's hands is the one the change was made on
  activePage_ = index;
  LoadPages(false);
  host_.NoteRecorderView();
  if (host_.StartupComplete()) control_->tabBar()->setFocus();
}

void TPages::Bind(QWidget* control) {
  if (auto* u = qobject_cast<TUpDown*>(control)) {
    connect(u, &TUpDown::Stepped, this, [this, u] { FormUpDownClick(u); });
    connect(u, &TUpDown::EnterPressed, this, [this, u] {
      const bool counts = !guard_.Active();
      FormKeyPress(u);
      TellTyped(u, counts);
    });
    connect(u, &TUpDown::EditingLeft, this, [this, u] {
      const bool counts = !guard_.Active() && u->isVisibleTo(Sheet(activePage_));
      FormEditLooseFocus(u);
      TellTyped(u, counts);
    });
  } else if (auto* g = qobject_cast<TRadioGroup*>(control)) {
    connect(g, &TRadioGroup::Clicked, this, [this, g] { FormRadioGroupClick(g); });
  } else if (auto* c = qobject_cast<QCheckBox*>(control)) {
    connect(c, &QCheckBox::clicked, this, [this, c] { FormCheckBoxClick(c); });
  } else if (auto* b = qobject_cast<QComboBox*>(control)) {
    connect(b, &QComboBox::activated, this, [this, b] { FormComboChange(b); });
  }
}

namespace {

// What the user knows the control by: its label (the buddy a screen reader
// reads) in the current language.
QString ControlName(QWidget* w) {
  if (!w->accessibleName().isEmpty()) return w->accessibleName();
  if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w)) {
    const QString name = a->text(QAccessible::Name).trimmed();
    if (!name.isEmpty()) return name;
  }
  return w->objectName();
}

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

void TPages::TellTyped(TUpDown* u, bool committed) {
  const TypedText t = u->TakeLastTyped();
  if (!t.valid || !committed) return;
  const std::string name = Utf8(ControlName(u));
  const std::string shown = Utf8(u->EditText());
  std::string note;
  if (!t.number) {
    note = TypedNotANumberNote(name, Utf8(t.text), shown);
  } else if (t.value != u->value()) {
    const QLocale& l = u->locale();
    const bool outside = t.value < u->minimum() || t.value > u->maximum();
    const int step = u->singleStep();
    // Rounded to the control's step: the stored value is the step nearest below.
    const bool stepped = !outside && step > 1 && u->value() % step == 0 && t.value - u->value() > -step &&
                         t.value - u->value() < step;
    note = TypedValueNote(name, Utf8(t.text), Utf8(l.toString(u->minimum())), Utf8(l.toString(u->maximum())),
                          shown, outside, stepped ? Utf8(l.toString(step)) : std::string());
  } else {
    return;
  }
  u->Flash();
  host_.ShowValueNote(note);
}

// ---- map editors ------------------------------------------------------------------

CTabModel& TEditorEntry::Model() const { return widget->Model(); }

TEditorEntry& TPages::AddEditor(TTab& tab, QWidget* host, std::function<void(Image&)> copyBack) {
  auto entry = std::make_unique<TEditorEntry>();
  entry->widget = &tab;
  entry->host = host;
  entry->copyBack = std::move(copyBack);
  TEditorEntry* e = entry.get();
  tab.SetOnSheetChanged([this, e](TTab&, unsigned) { OnSheetChanged(*e); });
  tab.SetNoteSink([this](const std::string& packed) { host_.ShowValueNote(packed); });
  editors_.push_back(std::move(entry));
  return *e;
}

void TPages::SetLive(const LiveFeed& live) {
  live_ = live;
  if (auto* sensors = PageAs<TSensorsPage>(Page::Sensors)) sensors->LiveChanged();
}

void TPages::SetMarkers(TEditorEntry& editor, const Markers& m) {
  editor.Model().MarkerValues() = m;
  editor.given = m;
}

void TPages::PushEditorState() {
  const Image& img = Edited();
  for (auto& e : editors_) {
    CTabModel& model = e->Model();
    if (referenceReset_) {
      for (int s = 0; s < model.SheetCount(); ++s) {
        CSheet& sheet = model.Sheet(s);
        std::copy(sheet.x.values.begin(), sheet.x.values.end(), sheet.x.savedValues.begin());
        std::copy(sheet.y.values.begin(), sheet.y.values.end(), sheet.y.savedValues.begin());
      }
    }
    if (editorRefresh_) {
      SetMarkers(*e, {img[Adrb::BASE_ADV], img[Adrb::LIMITER] * 100, img[Adrb::START_LIM] * 100});
      // New data or markers: the control lays the sheet out again and redraws.
      e->widget->RequestRelayout();
      e->widget->Flush();
    }
    if (model.ShowsLive()) {
      LiveValues& live = model.Live();
      const bool pressure = live_.valid && live_.loadSensor == 2;
      // The monitor's status already carries 0x30 for a pressure sensor.
      live.status = live_.valid ? live_.status : 0;
      live.rpm = live_.valid ? live_.rpm : 0;
      live.throttle = pressure ? 100 : (live_.valid ? live_.throttle : 0);
      live.pressure = pressure ? live_.pressure : -1;
    }
    e->widget->UpdateLive(host_.Tick());
  }
  editorRefresh_ = 0;
}

void TPages::OnSheetChanged(TEditorEntry& editor) {
  const Markers now = editor.Model().MarkerValues();
  // A pending control change on the page goes into the same commit; its
  // controls are stored before the editor's values are taken.
  if (settle_.Pending()) {
    StorePage();
    settle_.Forget();
  }
  Image& img = Edited();
  bool markers = false;
  if (now.baseAdvance != editor.given.baseAdvance) {
    // The base advance is 0..40 degrees; the marker may go below 0 with the data.
    img[Adrb::BASE_ADV] = uint8_t(std::clamp(now.baseAdvance, 0, 40));
    markers = true;
  }
  if (now.limiter != editor.given.limiter) {
    img[Adrb::LIMITER] = uint8_t(std::clamp(now.limiter / 100, 0, 255));
    markers = true;
  }
  if (now.startLimiter != editor.given.startLimiter) {
    img[Adrb::START_LIM] = uint8_t(std::clamp(now.startLimiter / 100, 0, 255));
    markers = true;
  }
  if (markers) editorRefresh_ |= EditorRefresh::kMarkers;
  if (editor.copyBack) editor.copyBack(img);
  LoadPages(false);
  if (host_.StartupComplete()) CommitEdit();
  host_.NoteRecorderView();
}

}  // namespace ign
