// ignset: the desktop application. One window per user handles the files
// given to it: a second start hands its file (or "come to the front") to the
// running window over the window's local socket and ends.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>
#include <exception>

#include "ui/app/handover_server.h"
#include "ui/app/main_form.h"
#include "ui/app/signal_close.h"
#include "ui/app/start_args.h"
#include "ui/update/web_links.h"

int main(int argc, char** argv) {
  const ign::RunConfig config = ign::ReadRunConfig();
  const ign::StartOptions options = ign::ParseStartArguments(std::vector<std::string>(argv, argv + argc));
  if (options.help) {
    QCoreApplication core(argc, argv);  // the program's folder, without a display
    std::fputs(ign::StartUsage(ign::UserGuidePath()).c_str(), stdout);
    return 0;
  }
  const std::string file =
      options.file.empty() ? ""
                           : QFileInfo(QString::fromLocal8Bit(options.file)).absoluteFilePath().toStdString();
  if (!file.empty() && ign::FormatOpenFile(file).empty()) {
    std::fprintf(stderr, "ignset: cannot open a file by this name: %s\n", options.file.c_str());
    return 2;
  }
  const std::string socketPath = ign::HandoverSocketPath(config);
  if (ign::HandToRunningInstance(socketPath, file)) {
    if (!file.empty()) std::printf("ignset: %s handed to the running window\n", file.c_str());
    return 0;
  }

  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("ignset"));
  try {
    ign::TMainForm form(app.arguments(), config);
    form.FormCreate();
    ign::CloseOnTerminationSignals(&form);
    form.show();
    if (!file.empty()) form.OpenGivenFile(file);
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("ignset"), QString::fromUtf8(e.what()));
    return 1;
  }
}
