#include "ui/app/error_box.h"

#include <QMessageBox>

#include "core/text/message_box.h"

namespace ign {

namespace {

ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter p;
  return p;
}

class TEngineMessageBox : public IMessageBox {
 public:
  void ShowMessage(const std::string& text) override { ShowErrorBox(text, 0); }
};

}  // namespace

void SetErrorBoxPresenter(ErrorBoxPresenter presenter) { Presenter() = std::move(presenter); }

int ShowErrorBox(const std::string& text, unsigned extraFlags) {
  const unsigned flags = MB::IconError | extraFlags;
  if (Presenter()) return Presenter()(text, flags);
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromUtf8(text.c_str()));
  switch (flags & 0xF) {
    case MB::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MB::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
  }
  switch (box.exec()) {
    case QMessageBox::Cancel: return ID::Cancel;
    case QMessageBox::Yes: return ID::Yes;
    case QMessageBox::No: return ID::No;
    default: return ID::Ok;
  }
}

void InstallEngineMessageBox() {
  static TEngineMessageBox box;
  SetMessageBox(&box);
}

}  // namespace ign
