#pragma once
// CWindowPrintout: makes the main window printer-friendly for a moment and
// puts it back. Prepare sets the window and its status bar white (with a
// light palette when the desktop theme is dark), hides the fixed controls of
// the screen (the programming counter, the tool bar, "Programming after
// change", the connection and congruence labels), and walks the controls
// (the children of a container before the container) applying PrepareRule;
// every change is remembered in a CPrintObj. Restore undoes them all in
// reverse order and runs from the destructor, so an exception or a failed
// printer between the two never leaves the window white and without buttons.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "ui/files/print_obj.h"

namespace ign {

class CWindowPrintout {
 public:
  explicit CWindowPrintout(QMainWindow& window);
  ~CWindowPrintout();
  CWindowPrintout(const CWindowPrintout&) = delete;
  CWindowPrintout& operator=(const CWindowPrintout&) = delete;

  void Prepare();
  // Puts back every remembered change and the window's and the status
  // bar's colours; empties both lists. Does nothing when nothing is prepared.
  void Restore();

  const std::vector<CPrintObj>& Changes() const { return changes_; }
  // The tab sheets whose tab is shown, in the page control's order.
  const std::vector<QPointer<QWidget>>& Tabs() const { return tabs_; }

  // Tests: called after each remembered change with the number remembered.
  static void SetChangeHook(std::function<void(size_t)> hook);

  // The object names of the fixed controls hidden on paper.
  static const std::vector<const char*>& FixedControls();

 private:
  struct Found {
    QWidget* widget;
    PrintKind kind;
    PrintAction action;
  };
  void Collect(QWidget* parent, std::vector<Found>& out) const;
  void Remember(CPrintObj change);
  void Apply(const Found& f);
  void SetWindowWhite();

  QMainWindow& window_;
  bool prepared_ = false;
  bool coloured_ = false;  // the window's and status bar's colours are saved
  QPointer<QWidget> focus_;
  TSavedColour windowColour_, statusColour_;
  std::vector<CPrintObj> changes_;
  std::vector<QPointer<QWidget>> tabs_;
};

// True when the palette shows light text on a dark window.
bool DarkPalette(const QPalette& palette);

}  // namespace ign
