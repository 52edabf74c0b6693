#pragma once
// File-dialog filters written as "Description|pattern|Description|pattern",
// turned into Qt's "Description (pattern);;...".
#include <QString>
#include <QStringList>

namespace ign {

inline QString DialogFilter(const char* pairs) {
  const QStringList parts = QString::fromUtf8(pairs).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    // A description that already names its pattern in brackets stays as it is.
    filters << (description.contains('(') ? description : description + " (" + parts[i + 1] + ")");
  }
  return filters.join(";;");
}

}  // namespace ign
