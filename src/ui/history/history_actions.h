#pragma once
// What the history window and the difference view ask of the main window:
// settings into the editor, into a file, into the unit; marks in the map
// editors. The window's history commands answer them.
#include <vector>

#include "core/compare/difference_words.h"
#include "core/params/image.h"

namespace ign {

class IHistoryActions {
 public:
  virtual ~IHistoryActions() = default;
  // The settings become the editor's, as one undo step.
  virtual void OpenInEditor(const Image& image) = 0;
  // The settings into a settings file the tuner chooses.
  virtual void SaveAs(const Image& image) = 0;
  // The settings into the editor, then programmed through the checks of Program.
  virtual void ProgramImage(const Image& image) = 0;
  virtual bool UnitConnected() const = 0;
  // The differing cells marked in the map editors; an empty list clears them.
  virtual void MarkDifferences(const std::vector<DifferenceLine>& lines) = 0;
};

}  // namespace ign
