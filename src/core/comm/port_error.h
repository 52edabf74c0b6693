#pragma once
// Why a port could not be opened, in words: the system's text for an error
// number, and the explanation the user sees, with the fix where there is one.
#include <string>

namespace ign {

// True for the errors that mean the user may not use the device (EACCES, EPERM).
bool IsPermissionError(int error);

// True for the error of a device that another program holds open (EBUSY: its
// exclusive mode or its lock refused the open).
bool IsInUseError(int error);

// True for the errors of a device that is not there at all (ENOENT, ENODEV,
// ENXIO, ENOTDIR): a port number that names no device, which is no news.
bool IsAbsentDeviceError(int error);

// What a port held by another program is called, language-packed, for menu
// captions: "in use".
extern const char* const kPortInUseCaption;

// The system's text for an error number ("Permission denied"); safe on any thread.
std::string SystemErrorText(int error);

// A short explanation in English for terminal output: for a permission error
// the cause and the fix (the dialout group), for a held device that another
// program uses it, else the system's text.
std::string OpenErrorHint(int error);

// The language-packed status text (status slot 1) for a port that could not
// be opened: for a permission error the cause and the fix, for a held device
// that another program uses it, each in every language; else the system's
// text after the port number.
std::string OpenErrorStatusText(int port, int error);

}  // namespace ign
