#include "ui/update/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text/lngstr.h"

namespace ign {

namespace {

const char* const kTitle = "###User guide##Benutzerhandbuch##Uživatelská příručka";
const char* const kBack = "###Back##Zurück##Zpět";
const char* const kForward = "###Forward##Vorwärts##Vpřed";
const char* const kHome = "###Contents##Inhalt##Obsah";
const char* const kMissing =
    "###The user guide was not found at##Das Benutzerhandbuch wurde nicht gefunden unter##"
    "Uživatelská příručka nebyla nalezena v";

QString Text(const char* packed) { return QString::fromUtf8(LngStr(packed)); }

bool GoesOutside(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == "http" || scheme == "https" || scheme == "mailto" || scheme == "ftp";
}

QToolButton* Button(QWidget* parent, const char* name) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return b;
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("HelpWindow");
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose, false);
  back_ = Button(this, "HelpBack");
  forward_ = Button(this, "HelpForward");
  home_ = Button(this, "HelpHome");
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpBrowser");
  // Every link comes to FollowLink, so that nothing outside the guide opens here.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home_);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::FollowLink);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  resize(820, 640);
  Relabel();
}

void THelpWindow::Relabel() {
  setWindowTitle(Text(kTitle));
  back_->setText(Text(kBack));
  forward_->setText(Text(kForward));
  home_->setText(Text(kHome));
  browser_->setAccessibleName(Text(kTitle));
}

void THelpWindow::ShowGuide(const std::string& path) {
  const QString file = QString::fromStdString(path);
  if (!QFileInfo::exists(file)) {
    browser_->setHtml("<p>" + Text(kMissing).toHtmlEscaped() + "</p><p><code>" + file.toHtmlEscaped() +
                      "</code></p>");
    return;
  }
  // Pictures and other pages of the guide are found beside it.
  browser_->setSearchPaths({QFileInfo(file).absolutePath()});
  browser_->setSource(QUrl::fromLocalFile(file));
}

void THelpWindow::FollowLink(const QUrl& url) {
  if (GoesOutside(url)) {
    lastExternal_ = url;
    QDesktopServices::openUrl(url);
    return;
  }
  browser_->setSource(url);
}

THelpWindow* ShowHelpWindow(QWidget* parent, const std::string& path) {
  auto* window = parent ? parent->findChild<THelpWindow*>("HelpWindow", Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) window = new THelpWindow(parent);
  window->Relabel();
  window->ShowGuide(path);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace ign
