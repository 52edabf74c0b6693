#include "ui/app/key_router.h"

#include <QApplication>
#include <QKeyEvent>

namespace ign {

TKeyRouter::TKeyRouter(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }

TKeyRouter::~TKeyRouter() { qApp->removeEventFilter(this); }

bool TKeyRouter::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    // A key the control ignores travels on to its parents through this filter
    // again; it is offered to the map editor only on its first stop.
    const bool propagated = e == routedKey_ && routedTo_ && w && w != routedTo_ && w->isAncestorOf(routedTo_);
    if (w && w->window() == window_ && !propagated) {
      routedKey_ = e;
      routedTo_ = w;
      if (ShortCut(static_cast<QKeyEvent*>(e))) return true;
    }
  }
  return QObject::eventFilter(watched, e);
}

bool TKeyRouter::ShortCut(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: return route_ && route_(key);
    default: return false;
  }
}

}  // namespace ign
