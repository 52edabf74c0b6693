#pragma once
// Closes a window in the ordinary way (its close event, so the settings are
// written) when the process gets SIGTERM, SIGINT or SIGHUP.
class QWidget;

namespace ign {

// Installs the handlers; the window must outlive the event loop.
void CloseOnTerminationSignals(QWidget* window);

}  // namespace ign
