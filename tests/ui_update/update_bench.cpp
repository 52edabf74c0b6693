// ign_update_bench: the update check against the 55 ms tick. Prints the
// median and 99th percentile of the window's tick while a transfer hangs on a
// silent server against the idle tick, and of reading and deciding on a
// document at the size cap and of the rich-text reader on 1 MB, as ratios
// to a tick. Nothing passes or fails on time.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/text/language.h"
#include "core/update/rtf_reader.h"
#include "core/update/update_doc.h"
#include "core/update/update_offer.h"
#include "tests/support/http_test_server.h"
#include "tests/support/private_folders.h"
#include "tests/support/tick_figures.h"
#include "ui/app/main_form.h"
#include "ui/update/form_patch.h"
#include "ui/update/update_check.h"
#include "ui/update/update_worker.h"

namespace {

using Clock = std::chrono::steady_clock;
using ign::test::kTickMs;
using ign::test::MsSince;
using ign::test::ReportTicks;
using ign::test::TickFigures;
using ign::test::TimeRuns;

// Ticks of a fresh window, each followed by the events a timer tick would
// leave behind, timed one by one.
std::vector<double> WindowTicks(ign::TMainForm& form, int ticks, const std::function<bool()>& keepGoing) {
  std::vector<double> ms;
  for (int i = 0; i < ticks && keepGoing(); ++i) {
    const auto t = Clock::now();
    form.Timer1Timer();
    ms.push_back(MsSince(t));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return ms;
}

void Sandbox(QTemporaryDir& dir) {
  const QByteArray root = dir.path().toUtf8();
  ign::test::UsePrivateFolders(root.toStdString());
}

std::string CapDocument() {
  std::string doc = "<product class=\"QUNTAR6\" key=\"108\">";
  const std::string rec =
      "<recommendation update_number=\"5\" from=\"2000_01_01\" to=\"2099_01_01\"><english>text</english>"
      "<web>https://example.test/</web></recommendation>\n";
  while (doc.size() + rec.size() + 20 < size_t(ign::UpdateLimits::kMaxDocumentBytes)) doc += rec;
  return doc + "</product>";
}

std::string MegabyteRtf() {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red255\\green0\\blue0;}";
  const std::string para =
      "\\b Nov\\'e1 verze\\b0  \\i programu\\i0  \\cf1\\u269?ten\\'ed\\cf0 a dal\\'9a\\'ed text\\par\n";
  while (rtf.size() < 1'000'000) rtf += para;
  return rtf + "}";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  Sandbox(dir);

  std::printf("Update check against the %.0f ms tick\n\n", kTickMs);
  ::setenv("IGN_NO_UPDATE_CHECK", "1", 1);
  double idleP99 = 0;
  {
    ign::TMainForm form({"ignset"});
    form.FormCreate();
    WindowTicks(form, 50, [] { return true; });  // warm up
    idleP99 = ReportTicks("window tick, no check", WindowTicks(form, 300, [] { return true; })).p99;
  }
  ::unsetenv("IGN_NO_UPDATE_CHECK");
  {
    ign::test::HttpTestServer server;
    server.Set(ign::test::HttpTestServer::Mode::Silent);
    ::setenv("IGN_UPDATE_URL", server.Url().c_str(), 1);
    ign::TMainForm form({"ignset"});
    form.FormCreate();
    WindowTicks(form, 60, [] { return true; });  // the check starts at tick 41
    auto hanging = [&] { return form.UpdateCheck()->State() == ign::UpdateState::Requested; };
    const TickFigures s = ReportTicks("window tick, transfer hanging", WindowTicks(form, 300, hanging));
    std::printf("%-40s p99 ratio %.2f (aim <= 1.1)\n", "", idleP99 > 0 ? s.p99 / idleP99 : 0.0);
    ::unsetenv("IGN_UPDATE_URL");
  }

  const std::string doc = CapDocument();
  ReportTicks("read and decide, 10 MB document", TimeRuns(10, [&] {
                auto e = ign::ChooseUpdate(doc, "2023_10_19");
                if (e) ign::DecideOffer(*e, ign::LNG_ENGLISH, 0);
              }));
  const std::string rtf = MegabyteRtf();
  ReportTicks("rich-text reader, 1 MB", TimeRuns(10, [&] { ign::RtfToHtml(rtf); }));
  {
    ign::UpdateEntry entry;
    entry.number = 1;
    entry.english = rtf;
    // The text as the offer carries it: cut to its limit.
    const ign::UpdateOffer offer = *ign::DecideOffer(entry, ign::LNG_ENGLISH, 0);
    ign::TFormPatch dialog(nullptr);
    ReportTicks("offer dialog filled, 1 MB of rich text",
                TimeRuns(5, [&] { dialog.Fill(offer, ign::LNG_CESKY); }));
  }
  return 0;
}
