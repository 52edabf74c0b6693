// TMainForm: the parameter printout. The commands live in TPrintCommands
// (ui/files); the window gives them the commit of a pending edit, the load
// of all pages, the header's parts and the page control, and binds Print
// (SpeedButtonPrint, MenuPrint, Ctrl+P), Print all and the print preview.
#include <QAction>
#include <QMenu>

#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/tool_bar.h"
#include "ui/files/print_commands.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {
constexpr const char* kPreviewCaption = "###Print pre&view##Druck&vorschau##Ná&hled tisku";
}  // namespace

void TMainForm::SpeedButtonPrintClick() { print_->Print(); }

void TMainForm::MenuPrintAllClick() { print_->PrintAll(); }

void TMainForm::MenuPrintPreviewClick() { print_->Preview(); }

// A typed value is taken as leaving its field takes it, then committed:
// Print all loads every page from the image next.
void TMainForm::CommitBeforePrint() {
  if (QWidget* box = layout_->toolBar->ProgramAfterChange(); box && box->isVisible())
    box->setFocus(Qt::OtherFocusReason);
  if (pages_) SettleImage();
}

void TMainForm::ConnectPrintCommands() {
  PrintHost host;
  host.window = this;
  host.pageControl = layout_->pageControl;
  host.commit = [this] { CommitBeforePrint(); };
  host.loadAllPages = [this] {
    if (pages_) pages_->LoadPages(true);
  };
  host.header = [this] {
    PrintHeader h;
    h.file = settings_.file;
    h.version = ProgramIdentification();
    if (engine_->Machine().Connected()) h.unit = UnitPanelText();
    return h;
  };
  print_ = std::make_unique<TPrintCommands>(std::move(host), nullptr);

  TMainMenu& m = *menu_;
  QAction* print = m.Item("MenuPrint");
  QAction* all = m.Item("MenuPrintAll");
  connect(print, &QAction::triggered, this, &TMainForm::SpeedButtonPrintClick);
  connect(all, &QAction::triggered, this, &TMainForm::MenuPrintAllClick);
  auto* preview = new QAction(this);
  preview->setObjectName("MenuPrintPreview");
  QMenu* file = m.Menu("MenuFile");
  const QList<QAction*> items = file->actions();
  const qsizetype at = items.indexOf(all);
  file->insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, preview);  // after Print all
  connect(preview, &QAction::triggered, this, &TMainForm::MenuPrintPreviewClick);
  auto relabel = [preview] { preview->setText(QString::fromUtf8(LngStr(kPreviewCaption))); };
  relabel();
  relabelSteps_.push_back(RegisterRelabelStep(RelabelOrder::MenuCaptions, relabel));
}

}  // namespace ign
