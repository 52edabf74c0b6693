#pragma once
// A main window whose update check talks to a scripted server on 127.0.0.1,
// with links and messages captured instead of shown.
#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <string>
#include <vector>

#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "tests/support/http_test_server.h"
#include "tests/ui/form_fixture.h"
#include "ui/app/status_widgets.h"
#include "ui/update/form_patch.h"
#include "ui/update/update_check.h"
#include "ui/update/web_links.h"

namespace ign::test {

// Receives the addresses QDesktopServices would hand to the desktop.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

struct Message {
  std::string caption, text;
};

class UpdateFixture : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    for (const char* v : {"IGN_NO_UPDATE_CHECK", "IGN_WEB_URL", "http_proxy", "https_proxy", "HTTPS_PROXY",
                          "no_proxy", "NO_PROXY", "SSL_CERT_FILE"})
      ::unsetenv(v);
    ASSERT_TRUE(server_.Listening());
    ::setenv("IGN_UPDATE_URL", server_.Url().c_str(), 1);
    SetUpdateMessagePresenter([this](QWidget*, const std::string& caption, const std::string& text) {
      messages_.push_back({caption, text});
    });
  }
  void TearDown() override {
    CatchLinks(false);
    SetUpdateMessagePresenter(nullptr);
    FormFixture::TearDown();
    ::unsetenv("IGN_UPDATE_URL");
    ::unsetenv("IGN_WEB_URL");
  }
  void CatchLinks(bool on) {
    for (const char* scheme : {"http", "https", "file"}) {
      if (on)
        QDesktopServices::setUrlHandler(scheme, &catcher_, "Open");
      else
        QDesktopServices::unsetUrlHandler(scheme);
    }
  }
  TUpdateCheck& Check() { return *form_->UpdateCheck(); }
  TFormPatch* Dialog() { return form_->UpdateCheck() ? form_->UpdateCheck()->Dialog() : nullptr; }
  std::string Panel0() { return form_->Panels().Text(0).toStdString(); }
  int GetRequests() const {
    int n = 0;
    for (const HttpRequest& r : server_.Requests())
      if (r.line.rfind("GET ", 0) == 0) ++n;
    return n;
  }
  // What the check and the server had seen, for failure messages.
  std::string Diagnosis() {
    std::string d = "ticks " + std::to_string(form_ ? form_->TickCount() : 0) + ", state " +
                    std::to_string(form_ && form_->UpdateCheck() ? int(Check().State()) : -1) +
                    ", connections " + std::to_string(server_.Connections()) + ", requests " +
                    std::to_string(GetRequests()) + ", panel 0 \"" + (form_ ? Panel0() : std::string()) +
                    "\"";
    return d;
  }
  bool WaitOffer(int ms = 30000) {
    return WaitFor([&] { return Dialog() != nullptr; }, ms);
  }
  // Waits until the check has ended (state 3), the window ticking meanwhile.
  bool WaitHandled(int ms = 30000) {
    return WaitFor([&] { return Check().State() == UpdateState::Handled; }, ms);
  }

  HttpTestServer server_;
  UrlCatcher catcher_;
  std::vector<Message> messages_;
};

inline std::string OfferDocument(int number, const std::string& body) {
  return "<updates><product class=\"QUNTAR6\" key=\"108\"><recommendation update_number=\"" +
         std::to_string(number) + "\">" + body + "</recommendation></product></updates>";
}

}  // namespace ign::test
