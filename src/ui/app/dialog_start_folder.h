#pragma once
// The start of a file dialog: the kept name while its folder exists, else the
// user's documents folder (XDG), or the home folder when there is none.
#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <string>

#include "core/app/dialog_start.h"

namespace ign {

inline QString DialogStart(const std::string& remembered) {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
  if (!documents.endsWith('/')) documents += '/';
  return QString::fromStdString(DialogStartPath(remembered, documents.toStdString()));
}

}  // namespace ign
