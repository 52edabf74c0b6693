#pragma once
// The pictures of the toolbar and title buttons, drawn in code under their
// resource names ("CLBRD_COPY", "BT2D", "BTCHK1", ...). Each picture is
// drawn once per program and shared.
#include <QPixmap>

namespace ign {

// The picture of a name (an empty pixmap for an unknown name).
const QPixmap& ButtonPicture(const char* name);

}  // namespace ign
