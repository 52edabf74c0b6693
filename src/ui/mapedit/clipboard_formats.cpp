#include "ui/mapedit/clipboard_formats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "core/text/codepage.h"

namespace ign {

QString SheetMimeType() {
  return QStringLiteral("application/x-qt-windows-mime;value=\"CF_KARDOMEX_SHEET\"");
}

TClipboardFormats& TClipboardFormats::Instance() {
  static TClipboardFormats* instance = new TClipboardFormats();
  return *instance;
}

TClipboardFormats::TClipboardFormats() : QObject(QCoreApplication::instance()) {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    connect(clipboard, &QClipboard::dataChanged, this, [this] { Refresh(); });
  Refresh();
}

void TClipboardFormats::Refresh() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  hasSheet_ = data && data->hasFormat(SheetMimeType());
  hasText_ = data && data->hasText();
}

bool PutOnClipboard(const std::string& plainUtf8, const std::string& sheetUtf8) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(plainUtf8));
  if (!sheetUtf8.empty()) {
    // Zero-terminated 8-bit text, as the other installations write it.
    const std::string bytes = Utf8ToCp1250(sheetUtf8);
    QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    raw.append('\0');
    data->setData(SheetMimeType(), raw);
  }
  clipboard->setMimeData(data);
  TClipboardFormats::Instance().Refresh();
  return true;
}

bool ReadSheetFromClipboard(std::string& utf8) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data || !data->hasFormat(SheetMimeType())) return false;
  QByteArray raw = data->data(SheetMimeType()).left(9000);
  if (const qsizetype end = raw.indexOf('\0'); end >= 0) raw.truncate(end);
  utf8 = Cp1250ToUtf8(std::string_view(raw.constData(), static_cast<std::size_t>(raw.size())));
  return true;
}

bool ReadTextFromClipboard(std::string& utf8) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data || !data->hasText()) return false;
  utf8 = data->text().left(9000).toStdString();  // the reader cuts at 9000 bytes
  return true;
}

}  // namespace ign
