#include "tests/ui_mapedit/map_editor_shots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "core/mapedit/hover.h"
#include "tests/ui_mapedit/host.h"

namespace ign {

namespace {

void Save(const QPixmap& pixmap, const QString& dir, const char* state) {
  pixmap.save(dir + "/mapedit-" + state + ".png");
}

void Save(test::EditorHost& h, const QString& dir, const char* state) {
  QCoreApplication::processEvents();
  Save(h.window->grab(), dir, state);
}

// A bumpy block so that the interpolation preview differs from the values.
void Bumps(test::EditorHost& h) {
  for (int r = 1; r < 7; ++r) {
    for (int c = 1; c < 8; ++c) h.Sheet().Cell(c, r) = 8 + c * 2 + r + ((c * 7 + r * 3) % 5) * 3;
  }
}

void SelectRectangle(test::EditorHost& h, int c0, int r0, int c1, int r1) {
  test::Move(h.editor, test::CellCentre(h, c0, r0));
  test::Press(h.editor, test::CellCentre(h, c0, r0));
  test::Move(h.editor, test::CellCentre(h, c1, r1), Qt::LeftButton);
  test::Release(h.editor, test::CellCentre(h, c1, r1));
}

}  // namespace

void SaveMapEditorShots(const QString& dir) {
  QDir().mkpath(dir);
  {
    auto h = test::MakeAdvanceHost();
    Bumps(*h);
    SelectRectangle(*h, 2, 2, 6, 5);
    std::array<Triangle, 4> triangles{};
    InterpolationTriangles(h->Layout(), h->Sheet(), triangles);
    test::Move(h->editor, QPoint(triangles[0].x0 + 4, triangles[0].y0 + 4));
    Save(*h, dir, "interpolation-preview");
  }
  {
    auto h = test::MakeAdvanceHost();
    test::Click(h->editor, test::CellCentre(*h, 4, 3));
    test::Type(h->editor, "12.5");
    test::Key(h->editor, Qt::Key_Left, Qt::ShiftModifier);
    h->window->activateWindow();
    h->editor->setFocus();
    QCoreApplication::processEvents();
    Save(*h, dir, "typed-entry");
  }
  {
    auto h = test::MakeAdvanceHost();
    h->editor->Model().Live().rpm = 3300;
    h->editor->Model().Live().throttle = 42;
    h->Tick();
    Save(*h, dir, "live-marker");
    test::Key(h->editor, Qt::Key_Tab);
    h->Tick();
    Save(*h, dir, "live-marker-other-map");
  }
  {
    auto h = test::MakeAdvanceHost();
    SelectRectangle(*h, 3, 2, 4, 9);
    const QPoint at = test::CellCentre(*h, 4, 5);
    test::Move(h->editor, at);
    test::Press(h->editor, at, Qt::RightButton);
    test::Release(h->editor, at, Qt::RightButton);
    QCoreApplication::processEvents();
    const QPixmap editor = h->window->grab();
    QPixmap canvas(editor.size());
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.drawPixmap(0, 0, editor);
    if (QMenu* menu = h->editor->LastMenu()) {
      menu->adjustSize();
      const QPixmap shown = menu->grab();
      const QPoint place = h->editor->mapTo(h->window.get(), at);
      p.drawPixmap(place, shown);
      menu->close();
    }
    p.end();
    Save(canvas, dir, "context-menu");
  }
  {
    auto h = test::MakeAdvanceHost(20);
    for (int i = 0; i < 5; ++i) h->editor->Execute(Cmd::kScrollHorizontal);
    test::Click(h->editor, test::CellCentre(*h, 18, 4));
    Save(*h, dir, "scrolled-20-columns");
  }
  {
    auto h = test::MakeAdvanceHost();
    h->editor->Execute(Cmd::kUseOnlyX);
    test::Move(h->editor, test::CellCentre(*h, 6, 9));
    Save(*h, dir, "use-only-rpm");
  }
  {
    auto h = test::MakeSwitchHost();
    Save(*h, dir, "compact-frame");
  }
}

}  // namespace ign
