#pragma once
// The map editor's side of the system clipboard: the private sheet format
// (a custom MIME type carrying Windows-1250 bytes, the name other
// installations register) and a cached look at which formats the
// clipboard holds, refreshed when the clipboard changes, never per tick.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

namespace ign {

// The MIME type of the private format; on Windows Qt maps it to the
// registered clipboard format "CF_KARDOMEX_SHEET".
QString SheetMimeType();

class TClipboardFormats : public QObject {
 public:
  // The one instance (created on first use, after the application).
  static TClipboardFormats& Instance();
  bool HasSheet() const { return hasSheet_; }
  bool HasText() const { return hasText_; }
  // Looks at the formats again (after a change of the clipboard).
  void Refresh();

 private:
  TClipboardFormats();
  bool hasSheet_ = false;
  bool hasText_ = false;
};

// Puts plain text (and, when sheet is not empty, the private text) on the
// clipboard in one transaction. False when the clipboard cannot be used.
bool PutOnClipboard(const std::string& plainUtf8, const std::string& sheetUtf8 = {});
// The private text on the clipboard (UTF-8), if any.
bool ReadSheetFromClipboard(std::string& utf8);
// The plain text on the clipboard (UTF-8), if any.
bool ReadTextFromClipboard(std::string& utf8);

}  // namespace ign
