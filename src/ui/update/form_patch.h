#pragma once
// TFormPatch: the update offer. The text (plain or rich), the web and
// download addresses under it, and four buttons; the dialog's result is 1
// (download), 2 (remind later, also the frame's close and Escape) or 3
// (don't remind this update). The web button opens the page and leaves the
// dialog open.
#include <QDialog>
#include <functional>
#include <string>

#include "core/update/update_offer.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace ign {

class TFormPatch : public QDialog {
 public:
  static constexpr int kWidth = 667;
  static constexpr int kHeight = 475;
  static constexpr int kTextPixels = 15;
  enum Result { kDownload = 1, kRemindLater = 2, kDismiss = 3 };

  explicit TFormPatch(QWidget* parent);

  // Text, buttons, addresses and captions for the offer in a language.
  void Fill(const UpdateOffer& offer, int language);
  // Opens the web address (through openWeb) and stays open.
  void ButtonPatchWWWClick();

  // Called with the web address by the web button.
  std::function<void(const std::string&)> openWeb;

  void reject() override;

 private:
  QTextEdit* text_;
  QLabel* addresses_;
  QPushButton* download_;
  QPushButton* www_;
  QPushButton* dismiss_;
  QPushButton* later_;
  std::string web_;
};

}  // namespace ign
