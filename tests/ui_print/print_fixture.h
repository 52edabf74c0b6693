#pragma once
// A shown main window whose print commands record their messages, the real
// print dialog accepted with PDF output by a timer, and the PDF read back
// through the poppler tools.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui_pages/pages_fixture.h"
#include "ui/files/print_commands.h"

namespace ign::test {

// Output of a poppler tool, or "" when it could not run.
inline std::string Poppler(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  return p.readAllStandardOutput().toStdString();
}

inline int PdfPages(const std::string& pdf) {
  const std::string info = Poppler("pdfinfo", {QString::fromStdString(pdf)});
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The text of one page (1-based), or of all pages with page 0.
inline std::string PdfText(const std::string& pdf, int page = 0) {
  QStringList args;
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  args << QString::fromStdString(pdf) << "-";
  return Poppler("pdftotext", args);
}

// Page 1 as a picture at dpi.
inline QImage PdfPicture(const std::string& pdf, const std::string& stem, int dpi = 50) {
  Poppler("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile",
                       QString::fromStdString(pdf), QString::fromStdString(stem)});
  return QImage(QString::fromStdString(stem + ".png"));
}

class PrintFixture : public PagesFixture {
 protected:
  TMainForm& StartShown(int page) {
    TMainForm& f = StartOn(page);
    f.show();
    QApplication::setActiveWindow(&f);
    f.PrintCommands().message = [this](const std::string& text) { messages_.push_back(text); };
    return f;
  }

  // The next print dialog gets PDF output into path and is accepted (or
  // cancelled); dialogs_ counts the dialogs seen.
  void AnswerDialog(const std::string& path, bool accept = true) {
    auto* timer = new QTimer();
    timer->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [this, timer, path, accept, tries] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        if (!dialog || !dialog->isVisible()) continue;
        ++dialogs_;
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(QString::fromStdString(path));
        // The dialog takes the file from its own field when accepted.
        if (auto* field = dialog->findChild<QLineEdit*>("filename"))
          field->setText(QString::fromStdString(path));
        if (accept)
          dialog->accept();
        else
          dialog->reject();
        timer->deleteLater();
        timer->stop();
        return;
      }
      if (++*tries > 1500) {  // 30 s: no dialog came
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start();
  }

  std::vector<std::string> messages_;
  int dialogs_ = 0;
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace ign::test
