// The parameter pages' states.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <memory>

#include "core/text/language.h"
#include "tests/shots/shots.h"
#include "ui/app/main_form.h"
#include "ui/pages/pages.h"

namespace ign::shots {

// A fresh window at the size it opens with, showing page with the image
// changed by setup.
int PageShot(const QString& dir, const char* name, int page, const std::function<void(Image&)>& setup,
             int language) {
  Sandbox box;
  SetLanguage(language);
  TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.move(0, 0);
  form.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  setup(form.Params().Working());
  form.CommitImageChange();
  form.ShowPage(page);
  form.show();
  Settle(400);
  const bool saved = SaveScreen(dir, name);
  SetLanguage(LNG_ENGLISH);
  return saved ? 0 : 1;
}

// A value typed beyond the limiter's range: the field flashes and the
// status line says what became of it.
int TypedValueShot(const QString& dir) {
  Sandbox box;
  TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.move(0, 0);
  form.resize(TMainForm::kDesignWidth, TMainForm::kDesignHeight);
  form.ShowPage(Page::Misc);
  form.show();
  Settle(300);
  auto* limiter = form.findChild<QSpinBox*>("EditLimiter");
  if (!limiter) return 1;
  limiter->setFocus();
  QApplication::setActiveWindow(&form);
  if (auto* edit = limiter->findChild<QLineEdit*>()) edit->selectAll();
  for (QChar c : QStringLiteral("25500")) {  // typed as a tuner types it
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + c.digitValue(), Qt::NoModifier, QString(c));
    QApplication::sendEvent(limiter, &press);
  }
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(limiter, &enter);
  auto* note = form.findChild<QLabel*>("LabelResult");
  Settle([&] { return note && note->isVisible(); }, 3000);  // the flash lasts a little longer
  return SaveScreen(dir, "typed-value-note") ? 0 : 1;
}

int PagesShots(const QString& dir) {
  int failed = TypedValueShot(dir);
  failed += PageShot(dir, "bike-preset", Page::Bike, [](Image&) {});
  failed += PageShot(dir, "bike-special-system14", Page::Bike, [](Image& img) {
    img[Adrb::BIKE] = 255;
    img[Adrb::PICKUP_SYSTEM] = 14;
    img[Adrb::LOBE_COUNT] = 116;
    img[Adrb::CHANNEL_COUNT] = 4;
    img[Adrb::FOUR_STROKE] = 2;
  });
  failed += PageShot(dir, "misc-quickshift-startlimiter", Page::Misc, [](Image& img) {
    img[Adrb::INPUT_FUNCTION] = 3;
    img[Adrb::INPUT_FUNCTION + 1] = 6;
  });
  failed +=
      PageShot(dir, "advance-no-sensor", Page::Advance, [](Image& img) { img[Adrb::TPSIAP_SENSOR] = 0; });
  failed += PageShot(dir, "advance-iap", Page::Advance, [](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 2;
    img[Adrb::ADV_MAP] = 1;
    img[Adrb::CHANNEL_COUNT] = 2;
  });
  return failed;
}

}  // namespace ign::shots
