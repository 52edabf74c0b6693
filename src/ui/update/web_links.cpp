#include "ui/update/web_links.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>

#include "core/base/program_folder.h"
#include "core/text/lngstr.h"
#include "core/update/update_offer.h"

namespace ign {

namespace {

UpdateMessagePresenter& Presenter() {
  static UpdateMessagePresenter presenter;
  return presenter;
}

QUrl UrlOf(const std::string& address) {
  if (IsWebAddress(address)) return QUrl(QString::fromStdString(address), QUrl::StrictMode);
  return QUrl::fromLocalFile(QString::fromStdString(address));
}

}  // namespace

void SetUpdateMessagePresenter(UpdateMessagePresenter presenter) { Presenter() = std::move(presenter); }

void ShowUpdateMessage(QWidget* parent, const std::string& caption, const std::string& text) {
  if (Presenter()) {
    Presenter()(parent, caption, text);
    return;
  }
  QMessageBox::information(
      parent, caption.empty() ? QCoreApplication::applicationName() : QString::fromStdString(caption),
      QString::fromStdString(text));
}

bool OpenAddress(QWidget* parent, const std::string& address, bool quiet) {
  const QUrl url = UrlOf(address);
  if (!address.empty() && url.isValid() && QDesktopServices::openUrl(url)) return true;
  if (quiet) return false;
  const std::string shown = url.isLocalFile() ? url.toString().toStdString() : address;
  std::string text = LngStr(OpenLinkFailedText());
  text += " " + shown + " !";
  ShowUpdateMessage(parent, "", text);
  return false;
}

std::string UserGuidePath() {
  const QString found = QString::fromStdString(
      ProgramDataFile(QCoreApplication::applicationDirPath().toStdString(), "user-guide.html"));
  return QFileInfo::exists(found) ? QFileInfo(found).canonicalFilePath().toStdString() : found.toStdString();
}

}  // namespace ign
