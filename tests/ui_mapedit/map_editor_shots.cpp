#include "tests/ui_mapedit/map_editor_shots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "core/mapedit/graph2d.h"
#include "core/mapedit/hover.h"
#include "core/mapedit/selection.h"
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

// The advance map as the page shows it: each sheet compares with the other.
void CompareSheets(test::EditorHost& h) {
  CTabModel& m = h.editor->Model();
  for (int s = 0; s < 2; ++s) {
    const CSheet& other = m.Sheet(1 - s);
    m.Sheet(s).x.comparison = std::span<const int32_t>(other.x.values.data(), 15);
    m.Sheet(s).data.comparison = std::span<const int32_t>(other.data.values);
    m.Sheet(s).lightColour = s == 0 ? 0xC0C0FF : 0xFFC0C0;
  }
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 15; ++c) {
      m.Sheet(0).Cell(c, r) = 5 + c * 2 + r - (c > 9 ? (c - 9) * 3 : 0);
      m.Sheet(1).Cell(c, r) = 8 + c + r * 2;
    }
  }
}

// A selection made in the table shows on the surface.
void SelectRectangle3D(test::EditorHost& h) { Select(h.Sheet(), SelKind::kCells, 3, 2, 6, 5); }

void SaveGraphShots(const QString& dir) {
  {
    auto h = test::MakeAdvanceHost();
    CompareSheets(*h);
    h->editor->Model().MarkerValues() = Markers{6, 7200, 2500};
    h->editor->Model().Live().rpm = 4300;
    h->editor->Model().Live().throttle = 90;
    h->editor->Execute(Cmd::kUseOnlyX);
    h->editor->Execute(Cmd::kView2D);
    h->Tick();
    Save(*h, dir, "graph2d-advance");
  }
  {
    auto h = test::MakeAdvanceHost();
    CompareSheets(*h);
    h->editor->Model().MarkerValues() = Markers{0, 9000, 1500};
    h->editor->Execute(Cmd::kView2D);
    h->Tick();
    const Graph2D& g = h->editor->Graph().layout;
    test::Move(h->editor, QPoint(static_cast<int>(PointX(g, h->Sheet(), 6)),
                                 static_cast<int>(PointY(g, h->Sheet(), 6, 4))));
    Save(*h, dir, "graph2d-stacked-10-curves");
  }
  for (int colouring = 0; colouring <= 5; ++colouring) {
    auto h = test::MakeAdvanceHost();
    CompareSheets(*h);
    h->editor->Model().Live().rpm = 4300;
    h->editor->Model().Live().throttle = 60;
    h->editor->Execute(Cmd::kView3D);
    h->editor->SetColouring3D(colouring);
    h->Tick();
    const std::string name = "graph3d-colouring-" + std::to_string(colouring);
    Save(*h, dir, name.c_str());
  }
  const std::pair<int, const char*> presets[] = {{Cmd::kPresetTop, "graph3d-top-all-values"},
                                                 {Cmd::kPresetIso1, "graph3d-iso1-all-values"},
                                                 {Cmd::kPresetIso2, "graph3d-iso2-all-values"}};
  for (const auto& [code, name] : presets) {
    auto h = test::MakeAdvanceHost();
    CompareSheets(*h);
    h->editor->Execute(Cmd::kView3D);
    h->editor->Execute(code);
    test::Key(h->editor, Qt::Key_Space);  // interesting values -> all values
    SelectRectangle3D(*h);
    h->Tick();
    Save(*h, dir, name);
  }
  for (const bool proportional : {false, true}) {
    auto h = test::MakeSwitchHost();
    const int32_t values[3][4] = {{0, 1, 1, 0}, {0, 1, 3, 1}, {0, 0, 1, 1}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) h->Sheet().Cell(c, r) = values[r][c];
    h->Sheet().data.editable = 1;
    h->editor->SetProportional(proportional);
    Save(*h, dir, proportional ? "switch-map-proportional" : "switch-map-even");
  }
  {
    auto h = test::MakeAdvanceHost(2);
    h->editor->Model().MarkerValues() = Markers{0, 9000, 1500};
    h->editor->RequestRelayout();
    h->Tick();
    Save(*h, dir, "table-beside-graph-2-points");
  }
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
  SaveGraphShots(dir);
}

}  // namespace ign
