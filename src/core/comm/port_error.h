#pragma once
// Why a port could not be opened, in words: the system's text for an error
// number, and the explanation the user sees, with the fix where there is one.
#include <string>

namespace ign {

// True for the errors that mean the user may not use the device (EACCES, EPERM).
bool IsPermissionError(int error);

// The system's text for an error number ("Permission denied"); safe on any thread.
std::string SystemErrorText(int error);

// A short explanation in English for terminal output: for a permission error
// the cause and the fix (the dialout group), else the system's text.
std::string OpenErrorHint(int error);

// The language-packed status text (status slot 1) for a port that could not
// be opened: for a permission error the cause and the fix in each language,
// else the system's text after the port number.
std::string OpenErrorStatusText(int port, int error);

}  // namespace ign
