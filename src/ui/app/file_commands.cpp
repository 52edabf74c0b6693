// TMainForm: recent files, dropped files and the settings-file hook.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/start_args.h"

namespace ign {

void TMainForm::AddRecent(const std::string& name) {
  recent_.Add(name);
  ShowRecent();
}

void TMainForm::RemoveRecent(const std::string& name) {
  recent_.Remove(name);
  ShowRecent();
}

void TMainForm::ShowRecent() {
  for (int i = 1; i <= CRecentFiles::kMenuItems; ++i) {
    QAction* item = menu_->history[size_t(i)];
    const bool visible = recent_.ItemVisible(i);
    item->setVisible(visible);
    if (visible) {
      // A '&' in a file name is shown, not taken as a menu accelerator.
      QString caption = QString::fromUtf8(CRecentFiles::Caption(i, recent_.Entry(i)).c_str());
      item->setText(caption.replace('&', QStringLiteral("&&")));
    }
  }
  menu_->historyEnd->setVisible(recent_.SeparatorVisible());
}

void TMainForm::MenuHistoryClick(int index) {
  if (index < 1 || index >= recent_.Count()) return;
  OpenSettingsFile(recent_.Entry(index), Group::All);
}

void TMainForm::OpenSettingsFile(const std::string& name, int group) {
  (void)group;
  dialogFileName_ = name;
  Trace("OPEN " + name);
  // The settings-file reader loads the page groups here and moves the name to
  // the front of the recent list once it exists.
}

void TMainForm::HandleDroppedFiles(const std::vector<std::string>& names) {
  if (auto file = FirstSettingsFile(names)) OpenSettingsFile(*file, Group::All);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  std::vector<std::string> names;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
  HandleDroppedFiles(names);
  event->acceptProposedAction();
}

}  // namespace ign
