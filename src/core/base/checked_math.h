#pragma once
// Checked wrappers of the math functions the program uses. A domain, pole or
// range error appends one line to the error log "IGN.err" and the program goes
// on: a domain error of sqrt gives 1.0, every other error the function's own
// result. The name of the failing function also goes to standard error.
#include <ctime>
#include <string>

namespace ign {

// The log file; "IGN.err" in the current folder until the program sets the
// one in its settings folder (the current folder may not be writable).
void SetMathErrorLogPath(const std::string& path);
std::string MathErrorLogPath();

// "<LOG TIME=d.m.y h:m:s VARN2008_v108: MATHERR name>\n", no zero padding.
std::string FormatMathErrorLine(const std::tm& local, const char* function);

// Appends the line for function with the current local time. When the log
// cannot be opened the line is dropped.
void ReportMathError(const char* function);

double CheckedSqrt(double x);
double CheckedLog(double x);
double CheckedLog10(double x);
double CheckedExp(double x);
double CheckedPow(double x, double y);
double CheckedAsin(double x);
double CheckedAcos(double x);
double CheckedAtan2(double y, double x);
double CheckedFmod(double x, double y);
double CheckedSin(double x);
double CheckedCos(double x);

}  // namespace ign
