// ignset: the desktop application.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/app/main_form.h"
#include "ui/app/signal_close.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  try {
    ign::TMainForm form(app.arguments(), ign::ReadRunConfig());
    form.FormCreate();
    ign::CloseOnTerminationSignals(&form);
    form.show();
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("ignset"), QString::fromUtf8(e.what()));
    return 1;
  }
}
