// The map editor of the Advance Map page in its graph views: the 3D view
// turned by the mouse to 45 degrees, and a point of the 2D graph held in a
// drag with the value being set shown beside it.
#include <QApplication>
#include <QMouseEvent>

#include "core/mapedit/graph2d.h"
#include "tests/shots/shots.h"
#include "ui/app/main_form.h"
#include "ui/mapedit/map_editor.h"
#include "ui/pages/advance_page.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

void Mouse(TTab* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// The main window on the Advance Map page with its editor in view; shot()
// builds the state and saves the picture.
int AdvanceEditorShot(const std::function<bool(TMainForm&, TTab&)>& shot) {
  Sandbox box;
  TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.move(0, 0);
  form.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  form.ShowPage(Page::Advance);
  form.show();
  Settle(300);
  TEditorEntry* entry = form.Pages().PageAs<TAdvancePage>(Page::Advance)->Editor();
  if (!entry || !entry->widget) return 1;
  return shot(form, *entry->widget) ? 0 : 1;
}

}  // namespace

int MapEditorShots(const QString& dir) {
  // Turned with the mouse from the ISO2 view (XY 120 degrees) to XY 45 degrees:
  // 15 steps of 5 degrees, 10 px each.
  int failed = AdvanceEditorShot([&](TMainForm&, TTab& tab) {
    tab.Execute(Cmd::kView3D);
    Settle(100);
    const Rect& plot = tab.Graph().projection.view;
    const QPoint from(plot.left + plot.Width() * 2 / 3, plot.top + plot.Height() / 2);
    Mouse(&tab, QEvent::MouseMove, from, Qt::NoButton);
    Mouse(&tab, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(&tab, QEvent::MouseMove, from - QPoint(150, 0), Qt::LeftButton);
    Mouse(&tab, QEvent::MouseButtonRelease, from - QPoint(150, 0), Qt::NoButton);
    Settle(300);
    return tab.Graph().view3D.angleXY == 9 && SaveScreen(dir, "mapedit-graph3d-turned-45");
  });
  // A point of the 2D graph dragged up by 40 px, the button still held.
  failed += AdvanceEditorShot([&](TMainForm&, TTab& tab) {
    tab.Execute(Cmd::kView2D);
    Settle(100);
    const Graph2D& g = tab.Graph().layout;
    const CSheet& s = *tab.Model().Active();
    const int curve = g.curves - 1;
    const QPoint from(static_cast<int>(PointX(g, s, 6)), static_cast<int>(PointY(g, s, 6, curve)));
    Mouse(&tab, QEvent::MouseMove, from, Qt::NoButton);
    Mouse(&tab, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(&tab, QEvent::MouseMove, from - QPoint(0, 40), Qt::LeftButton);
    Settle(300);
    const bool saved = tab.Graph().dragging && SaveScreen(dir, "mapedit-graph2d-drag-value");
    Mouse(&tab, QEvent::MouseButtonRelease, from - QPoint(0, 40), Qt::NoButton);
    return saved;
  });
  return failed;
}

}  // namespace ign::shots
