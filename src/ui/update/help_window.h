#pragma once
// THelpWindow: the user guide shown inside the program. Pages and pictures
// of the guide's folder open here; web and mail links go to the browser.
// One window per main window, raised again by a second F1.
#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QToolButton;

namespace ign {

class THelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows the guide at path (a local HTML file); a missing file shows a
  // page that says where it was looked for.
  void ShowGuide(const std::string& path);
  QTextBrowser* Browser() const { return browser_; }
  // Where the last outside link went (tests); empty when none.
  const QUrl& LastExternal() const { return lastExternal_; }
  // Captions in the current language.
  void Relabel();

 private:
  void FollowLink(const QUrl& url);

  QTextBrowser* browser_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* home_ = nullptr;
  QUrl lastExternal_;
};

// Opens (or raises) the help window of parent with the guide at path.
THelpWindow* ShowHelpWindow(QWidget* parent, const std::string& path);

}  // namespace ign
