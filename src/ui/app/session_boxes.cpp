#include "ui/app/session_boxes.h"

#include <QMessageBox>
#include <QWidget>

#include "core/session/session.h"

namespace ign {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }

QString BoxName(SessionMessage::Kind kind) {
  switch (kind) {
    case SessionMessage::Kind::History: return QStringLiteral("HistoryMessage");
    case SessionMessage::Kind::Monitor: return QStringLiteral("MonitorMessage");
    default: return QStringLiteral("CutOffMessage");
  }
}

// A message that does not hold the engine: the search for the unit goes on
// under a cut-off's box, and a second loss before it is closed replaces its
// text. A message of the unit history has a box of its own, in the same way.
// Each message of the live monitor (CSV log, recorder, player) has its own box.
void ShowNonHolding(QWidget* window, const SessionMessage& m) {
  const QString name = BoxName(m.kind);
  auto* box = m.kind == SessionMessage::Kind::Monitor ? nullptr : window->findChild<QMessageBox*>(name);
  if (!box) {
    box = new QMessageBox(window);
    box->setObjectName(name);
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
  }
  box->setWindowTitle(Q(m.title));
  box->setText(Q(m.text));
  box->open();
}

}  // namespace

TSessionBoxes::TSessionBoxes(QWidget* window, CSession& session)
    : QObject(window), window_(window), session_(session) {}

void TSessionBoxes::PresentLater() {
  if (queued_) return;
  queued_ = true;
  QMetaObject::invokeMethod(
      this, [this] { Present(); }, Qt::QueuedConnection);
}

void TSessionBoxes::Present() {
  queued_ = false;
  // A message recorded while a box of this loop is open is shown after it.
  for (auto messages = session_.TakeMessages(); !messages.empty(); messages = session_.TakeMessages()) {
    for (const SessionMessage& m : messages) {
      if (!m.holding) {
        ShowNonHolding(window_, m);
        continue;
      }
      QMessageBox box(QMessageBox::Warning, Q(m.title), Q(m.text), QMessageBox::Ok, window_);
      box.setObjectName(QStringLiteral("VersionMessage"));
      Exec(box);
    }
  }
}

int TSessionBoxes::Exec(QMessageBox& box) {
  box.setWindowModality(Qt::ApplicationModal);
  ++open_;
  session_.SetMessageOpen(true);
  const int answer = box.exec();
  if (--open_ == 0) session_.SetMessageOpen(false);
  return answer;
}

void TSessionBoxes::Tell(const Preflight& check) {
  QMessageBox box(QMessageBox::Critical, Q(check.title), Q(check.reason), QMessageBox::Ok, window_);
  box.setObjectName(QStringLiteral("RefusedMessage"));
  Exec(box);
}

bool TSessionBoxes::Ask(const Preflight& check) {
  QMessageBox box(QMessageBox::Warning, Q(check.title), Q(check.reason),
                  QMessageBox::Ok | QMessageBox::Cancel, window_);
  box.setObjectName(QStringLiteral("ConfirmQuestion"));
  box.setDefaultButton(QMessageBox::Cancel);
  return Exec(box) == QMessageBox::Ok;
}

}  // namespace ign
