#pragma once
// The unit history in the main window: the recorder the session writes
// through, the Ignition menu's "Unit history...", "Compare with unit" and
// "Compare with file...", the difference view that a Verify which found
// differences opens, and what the history window asks of the window (the
// editor, a file, the unit, the marks in the map editors).
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "core/history/history_recorder.h"
#include "ui/history/difference_view.h"
#include "ui/history/history_actions.h"
#include "ui/history/history_window.h"

namespace ign {

class TMainForm;

class THistoryCommands : public QObject, public IHistoryActions {
 public:
  // A child of the window; the session records through it from now on.
  explicit THistoryCommands(TMainForm& form);
  ~THistoryCommands() override;

  static THistoryCommands* Of(TMainForm& form);

  CHistoryRecorder& Recorder() { return *recorder_; }
  void MenuUnitHistoryClick();
  void MenuCompareUnitClick();
  void MenuCompareFileClick();
  // Compares the editor with a settings file.
  void CompareWithFile(const std::string& path);
  THistoryWindow* Window() const { return window_; }
  TDifferenceView* View() const { return view_; }

  // Where "Save as..." and "Compare with file..." take their file from
  // (tests); empty: the file dialog.
  void SetFileChooser(std::function<std::string(bool save)> chooser) { chooser_ = std::move(chooser); }

  // IHistoryActions
  void OpenInEditor(const Image& image) override;
  void SaveAs(const Image& image) override;
  void ProgramImage(const Image& image) override;
  bool UnitConnected() const override;
  void MarkDifferences(const std::vector<DifferenceLine>& lines) override;

 private:
  void Noticed(const HistoryNotice& notice);
  void ShowDifferences(const Image& a, const Image& b, const char* titleA, const char* titleB);
  std::string ChooseFile(bool save);

  TMainForm& form_;
  std::unique_ptr<CHistoryRecorder> recorder_;
  QPointer<THistoryWindow> window_;
  QPointer<TDifferenceView> view_;
  std::function<std::string(bool)> chooser_;
  int relabelStep_ = 0;
};

}  // namespace ign
