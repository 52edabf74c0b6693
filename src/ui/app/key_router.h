#pragma once
// Tab, Enter, Space and the arrows go to the focused map editor first, before
// the window's controls see them. Installed on the application; only keys
// for widgets of its own window are offered.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace ign {

class TKeyRouter : public QObject {
 public:
  // Returns true when it used the key.
  using Route = std::function<bool(QKeyEvent*)>;

  explicit TKeyRouter(QWidget* window);
  ~TKeyRouter() override;

  void SetRoute(Route route) { route_ = std::move(route); }
  // The keys offered to the route; true when it took the key.
  bool ShortCut(QKeyEvent* key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Route route_;
  const QEvent* routedKey_ = nullptr;  // the key event last offered, and where
  QPointer<QWidget> routedTo_;
};

}  // namespace ign
