#pragma once
// The player panel inside GroupBoxPlayer: Record, Play, Pause and Stop, the
// position bar and the three labels. It shows what the player's core says and
// reports the user's clicks and bar moves; setting it never reports back.
#include <QObject>
#include <functional>

#include "core/monitor/player.h"

class QGroupBox;
class QLabel;
class QScrollBar;
class QToolButton;

namespace ign {

class TPlayerPanel : public QObject {
 public:
  enum Button { Record = 0, Play = 1, Pause = 2, Stop = 3 };

  explicit TPlayerPanel(QGroupBox* box);
  ~TPlayerPanel() override;

  void Show(const PlayerView& view);
  // Rewrites the caption and hints in the current language.
  void Relabel();

  std::function<void(int button)> onButton;
  std::function<void(int position)> onPosition;

 private:
  QGroupBox* box_;
  QToolButton* buttons_[4] = {};
  QScrollBar* bar_ = nullptr;
  QLabel* position_ = nullptr;
  QLabel* file_ = nullptr;
  QLabel* device_ = nullptr;
  bool setting_ = false;  // the program sets the controls: no reports
  int relabelStep_ = 0;
};

}  // namespace ign
