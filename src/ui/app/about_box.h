#pragma once
// The About box: program, version and build, and the unit the window talks
// to; "Copy" puts these lines on the clipboard for a support request.
#include <QDialog>
#include <string>

namespace ign {

class TAboutBox : public QDialog {
 public:
  // lines: the version lines shown and copied.
  TAboutBox(QWidget* parent, const std::string& lines);
};

// The version lines: program name, version and key, build date and time, the
// unit's panel text.
std::string AboutLines(const std::string& programIdentification, const std::string& unitText);

}  // namespace ign
