#include "ui/update/form_patch.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "core/text/lngstr.h"
#include "core/update/rtf_reader.h"

namespace ign {

namespace {

// English serves German too: the dialog has no German texts.
constexpr const char* kTitleText = "###Update####Aktualizace";
constexpr const char* kDownloadText = "###Download update####Stáhni aktualizaci";
constexpr const char* kWwwText = "###go to WWW####jdi na WWW";
constexpr const char* kDismissText =
    "###Cancel (don't remind this update)####Zpět (nepřipomínej tuto aktualizaci)";
constexpr const char* kLaterText = "###Cancel (remind later)####Zpět (připomeň příště)";
constexpr const char* kAddressesWeb = "###Web page:##Webseite:##Webová stránka:";
constexpr const char* kAddressesDownload = "###Download:##Download:##Ke stažení:";

QString Text(const char* packed, int language) { return QString::fromUtf8(LngStr(packed, language)); }

QPushButton* Button(QWidget* parent, const char* name) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

TFormPatch::TFormPatch(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormPatch");
  setModal(true);
  resize(kWidth, kHeight);

  text_ = new QTextEdit(this);
  text_->setObjectName("RichEditPatch");
  text_->setReadOnly(true);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setLineWrapMode(QTextEdit::WidgetWidth);
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kTextPixels);
  text_->setFont(font);
  text_->document()->setDefaultFont(font);

  addresses_ = new QLabel(this);
  addresses_->setObjectName("LabelPatchAddresses");
  addresses_->setTextFormat(Qt::PlainText);
  addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  addresses_->setWordWrap(true);

  download_ = Button(this, "ButtonPatchDownload");
  www_ = Button(this, "ButtonPatchWWW");
  dismiss_ = Button(this, "ButtonPatchCancel1");
  later_ = Button(this, "ButtonPatchCancel");
  download_->setDefault(true);
  download_->setAutoDefault(true);

  connect(download_, &QPushButton::clicked, this, [this] { done(kDownload); });
  connect(www_, &QPushButton::clicked, this, &TFormPatch::ButtonPatchWWWClick);
  connect(dismiss_, &QPushButton::clicked, this, [this] { done(kDismiss); });
  connect(later_, &QPushButton::clicked, this, [this] { done(kRemindLater); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(download_);
  buttons->addWidget(www_);
  buttons->addStretch(1);
  buttons->addWidget(dismiss_);
  buttons->addWidget(later_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addWidget(addresses_);
  layout->addLayout(buttons);
}

void TFormPatch::Fill(const UpdateOffer& offer, int language) {
  text_->clear();
  if (offer.rtf)
    text_->setHtml(QString::fromStdString(RtfToHtml(offer.text)));
  else
    text_->setPlainText(QString::fromStdString(offer.text));
  text_->setReadOnly(true);
  web_ = offer.web;
  download_->setVisible(!offer.download.empty());
  www_->setVisible(!offer.web.empty());

  QStringList lines;
  if (!offer.web.empty()) lines << Text(kAddressesWeb, language) + " " + QString::fromStdString(offer.web);
  if (!offer.download.empty())
    lines << Text(kAddressesDownload, language) + " " + QString::fromStdString(offer.download);
  addresses_->setText(lines.join('\n'));
  addresses_->setVisible(!lines.isEmpty());

  setWindowTitle(Text(kTitleText, language));
  download_->setText(Text(kDownloadText, language));
  www_->setText(Text(kWwwText, language));
  dismiss_->setText(Text(kDismissText, language));
  later_->setText(Text(kLaterText, language));
  text_->setAccessibleName(windowTitle());
  for (QPushButton* b : {download_, www_, dismiss_, later_}) b->setAccessibleName(b->text());
  if (!offer.download.empty())
    download_->setFocus();
  else
    later_->setFocus();
}

void TFormPatch::ButtonPatchWWWClick() {
  if (openWeb && !web_.empty()) openWeb(web_);
}

void TFormPatch::reject() { done(kRemindLater); }

}  // namespace ign
