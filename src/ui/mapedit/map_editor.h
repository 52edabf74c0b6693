#pragma once
// TTab: the map editor control. One custom-drawn widget over a CTabModel:
// sheet tabs, the toolbar line and the table view, drawn into an off-screen
// image whenever a repaint or relayout was requested (at most once per
// message and per tick), and copied to the screen by paintEvent.
//
// The owner creates it with CreateMapEditor (editor_list.h), adds and
// defines sheets through Model(), fills values, normalises, calls
// SelectSheet, and then calls UpdateLive on every main-timer tick.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/mapedit/commands.h"
#include "core/mapedit/gesture.h"
#include "core/mapedit/hover.h"
#include "core/mapedit/menu.h"
#include "core/mapedit/model.h"
#include "core/mapedit/navigation.h"
#include "core/mapedit/scrollbar.h"
#include "core/mapedit/typed_entry.h"
#include "ui/mapedit/difference_marks.h"
#include "ui/mapedit/graph_state.h"
#include "ui/mapedit/tab_overlay.h"

#include <QMenu>

namespace ign {

// Everything the painters read besides the model: the view, geometry,
// hover and gesture state of one editor.
struct TabViewState {
  enum class Gesture {
    kNone,
    kSelect,
    kFill,
    kCopy,
    kPlusMinus,
    kScroll,
    kThumb,
    kToolButton,
    kEntryText,
    kGraph,  // a drag, rubber band or rotation in a graph view (TTabGraph says which)
  };

  int view = View::kTable;
  TableFrame frame;
  TableLayout layout;
  std::vector<Rect> tabs;
  int toolbarLine = kToolbarLine;
  Toolbar toolbar;
  Rect titleLine;           // one-sheet editors with the sensor flag
  Rect viewSwitch;          // table / 2D switch, or the compact layout's proportional toggle
  BesideGraph besideGraph;  // room below or right of a small table for the 2D graph
  ScrollBarParts hBar;      // both empty when inactive
  ScrollBarParts vBar;
  ScrollBarRange hRange, vRange;

  TypedEntry entry;
  std::vector<int> entryBoundaries;  // x of every character boundary of the entry text
  // A typed value that was not stored as typed: its cell (or header, -1 for
  // the other index) is drawn on the flash colour for a moment.
  struct Flash {
    bool on = false;
    int column = -1;
    int row = -1;
  } flash;

  Hover hover;
  int hoverTab = -1;
  int hoverButton = -1;  // toolbar button index
  int pressedButton = -1;
  ScrollPart hoverPart = ScrollPart::kNone;

  Gesture gesture = Gesture::kNone;
  int gestureX = 0, gestureY = 0;  // where the gesture began (px)
  int pointerX = -1, pointerY = -1;
  GestureBox target;   // fill / copy target
  Hover pressedValue;  // +/- press
  int32_t pressTick = 0;
  bool scrollHorizontal = true;
  ScrollPart scrollPart = ScrollPart::kNone;
  int thumbStart = 0;

  std::array<int32_t, kMaxCells> preview{};

  TTabGraph graph;

  std::vector<DifferenceMark> differenceMarks;  // while a difference view is open
};

class TTab : public QWidget {
  Q_OBJECT
  // Set while the window is printed: painted straight onto the painter it is
  // given, without live marks, hover buttons, caret and selection.
  Q_PROPERTY(bool printing READ Printing WRITE SetPrinting)

 public:
  // Reports an ended edit batch (changed parts, Change bits; 0 when only
  // the active sheet changed by a click on its tab).
  using SheetChanged = std::function<void(TTab&, unsigned changed)>;
  using HintSink = std::function<void(const QString&)>;
  // Where the editor tells that a typed value was not stored as typed (a
  // packed text for the status line).
  using NoteSink = std::function<void(const std::string& packed)>;
  static constexpr int kFlashMs = 600;

  TTab(int identifier, uint32_t editorFlags, QWidget* parent);
  ~TTab() override;

  int Identifier() const { return model_.Identifier(); }
  // What the editor is called for screen readers before its sheet's name,
  // for editors whose sheets share a name (empty: the sheet's name alone).
  void SetAccessibleTitle(const QString& title);
  QString AccessibleNameOf(const CSheet& sheet) const;
  CTabModel& Model() { return model_; }
  const CTabModel& Model() const { return model_; }
  const TabViewState& ViewState() const { return v_; }
  const TableLayout& Layout() const { return v_.layout; }
  const TTabGraph& Graph() const { return v_.graph; }
  int CurrentView() const { return v_.view; }

  // Commits a typed entry, makes the sheet active and relayouts.
  bool SelectSheet(int index);
  void SetOnSheetChanged(SheetChanged callback) { onSheetChanged_ = std::move(callback); }
  void SetHintSink(HintSink sink) { hintSink_ = std::move(sink); }
  void SetNoteSink(NoteSink sink) { noteSink_ = std::move(sink); }
  bool Flashing() const { return v_.flash.on; }
  const QString& Hint() const { return hint_; }

  // One main-timer tick with the program's tick count.
  void UpdateLive(int32_t nowTick);
  int32_t NowTick() const { return nowTick_; }

  // The command dispatcher (Cmd codes).
  void Execute(int code);
  // Keys: Part of the window's routing (Tab, Enter, Space, arrows) and of
  // this control's own key handling. True when the key was used.
  bool RouteKey(QKeyEvent* key);
  // The editor holding the keyboard focus, if any.
  static TTab* FocusedMapEditor();
  // Routes a key to the focused editor (for the main window's key router).
  static bool RouteToFocusedEditor(QKeyEvent* key);
  // "Advance -" / "Advance +": steps the focused editor. False without one.
  static bool StepFocusedEditor(int step);

  // Repaint requests; drawing happens in Flush (end of message or tick).
  void RequestRepaint() { repaint_ = true; }
  void RequestRelayout() { relayout_ = repaint_ = true; }
  void Flush();
  // Redraws the off-screen image now (the benchmark and tests).
  void RedrawNow();
  int RedrawCount() const { return redrawCount_; }
  const QImage& Bitmap() const { return bitmap_; }

  // The context menu for a right click at a point: adjusts the selection
  // as a right click does, then returns the items it would show.
  std::vector<MenuItem> PrepareContextMenu(QPoint at);
  QMenu* LastMenu() const { return lastMenu_; }
  void RunMenuItem(const MenuItem& item);

  // Cells that differ from the settings a difference view compares with; empty clears them.
  void SetDifferenceMarks(std::vector<DifferenceMark> marks) {
    v_.differenceMarks = std::move(marks);
    RequestRepaint();
    Flush();
  }

  void SetPrinting(bool on);
  bool Printing() const { return printing_; }

  // A layer drawn over the editor (tab_overlay.h); null: none.
  void SetOverlay(TTabOverlay* overlay);
  TTabOverlay* Overlay() const { return overlay_; }

  // The views the control can show now.
  static constexpr int kAvailableViews = View::kTable | View::kGraph2D | View::kGraph3D;

  // The compact layout's proportional switch-map view.
  void SetProportional(bool on);
  // The 3D colouring (0 .. 5); editors made by CreateMapEditor start at 4.
  void SetColouring3D(int colouring);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class TTabAccessible;
  QString accessibleTitle_;
  // Frame and state (map_editor.cpp).
  void Relayout();
  void Relabel();
  void RefreshToolbar();
  void SetHint(const char* packed);
  void SetHintText(const QString& text);
  void ReportSheetChanged(unsigned changed);
  void UpdateTabStop();
  void CancelGesture();
  void ScrollTo(int column, int row);
  void ScrollBy(bool horizontal, int lines);
  void SetScrollPosition(bool horizontal, int position);
  QFont CellFont(const CAxe& axis, bool editable) const;
  void ComputeEntryBoundaries();

  // Keys (tab_keys.cpp).
  bool HandleKey(QKeyEvent* key);
  bool HandleCommandKey(QKeyEvent* key);
  bool HandleEntryKey(QKeyEvent* key);
  bool HandleNavigationKey(QKeyEvent* key);
  bool SwitchSheetByKey(QKeyEvent* key);
  void MoveTo(Cursor to, bool extend);
  Cursor CurrentCursor() const;
  bool StartTypedEntry(Cursor at, const std::string& text);
  bool CommitTypedEntry();
  void DiscardTypedEntry();
  // Flashes the target and tells what a typed value became when that is
  // not what was typed.
  void TellTypedOutcome(int column, int row, const std::string& text, const TypedOutcome& outcome);

  // Mouse (tab_mouse.cpp).
  void PressLeft(QMouseEvent* event);
  bool PressToolbar(int x, int y);
  bool PressScrollBar(int x, int y);
  void PressPlusMinus(const Hover& hover);
  void StepHovered(const Hit& target, int step);
  void DragTo(int x, int y);
  void Release(int x, int y);
  void UpdateHover(int x, int y);
  void AutoRepeat();
  void DragAutoscroll();

  // Graph views (tab_graph_mouse.cpp).
  void UpdateGraphArea();
  void RecomputeGraph();
  bool PressGraph(int x, int y, Qt::KeyboardModifiers mods);
  bool PressSwitch(int x, int y);
  void DragGraph(int x, int y);
  void ReleaseGraph(int x, int y);
  bool HoverGraph(int x, int y);
  bool WheelGraph(int x, int y, int sign, Qt::KeyboardModifiers mods);
  bool RightPressGraph(int x, int y);
  bool PointerInGraph(int x, int y) const;
  // The 3D view (tab_graph3d.cpp).
  bool Press3D(int x, int y);
  bool Hover3D(int x, int y);
  bool Wheel3DAt(int x, int y, int sign, Qt::KeyboardModifiers mods);
  void StepLiveValue(int sign);

  // Clipboard (tab_clipboard.cpp); a sheet index of -1 is the active sheet.
  void CopySelection();
  void CopyTable(int sheetIndex);
  void CopyGraph();
  void PasteFromClipboard(int sheetIndex);
  Rect GraphViewArea() const;

  // Context menu (tab_menu.cpp).
  void OpenContextMenu(QPoint at);

  CTabModel model_;
  TabViewState v_;
  QImage bitmap_;
  bool repaint_ = true;
  bool relayout_ = true;
  bool inEvent_ = false;
  bool printing_ = false;
  int redrawCount_ = 0;
  int32_t nowTick_ = 0;
  QString hint_;
  SheetChanged onSheetChanged_;
  HintSink hintSink_;
  NoteSink noteSink_;
  QTimer* flashTimer_ = nullptr;
  std::vector<MenuItem> lastItems_;
  QPointer<QMenu> lastMenu_;
  int relabelId_ = 0;
  std::vector<std::pair<bool, bool>> toolbarStates_;  // enabled, checked of each button
  std::array<int, 3> accessibleShape_{-1, -1, -1};    // sheet, rows, columns last announced
  QPointer<TTabOverlay> overlay_;
};

}  // namespace ign
