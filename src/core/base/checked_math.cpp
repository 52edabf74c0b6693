#include "core/base/checked_math.h"

#include <cmath>
#include <cstdio>
#include <mutex>

#include "core/base/settings_dir.h"

namespace ign {

namespace {

std::mutex& LogMutex() {
  static std::mutex m;
  return m;
}

std::string& LogPath() {
  static std::string path = "IGN.err";
  return path;
}

bool AllFinite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// A result that is NaN from non-NaN arguments is a domain error; an infinite
// result from finite arguments is a pole or an overflow.
double Check(const char* name, double result, double a, double b = 0.0) {
  bool domain = std::isnan(result) && !std::isnan(a) && !std::isnan(b);
  bool range = std::isinf(result) && AllFinite(a, b);
  if (domain || range) ReportMathError(name);
  return result;
}

}  // namespace

void SetMathErrorLogPath(const std::string& path) {
  std::lock_guard<std::mutex> lock(LogMutex());
  LogPath() = path;
}

std::string MathErrorLogPath() {
  std::lock_guard<std::mutex> lock(LogMutex());
  return LogPath();
}

std::string FormatMathErrorLine(const std::tm& t, const char* function) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "<LOG TIME=%i.%i.%i %i:%i:%i VARN2008_v%i: MATHERR %s>\n", t.tm_mday,
                t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec, kProgramVersion,
                function ? function : "");
  return buf;
}

void ReportMathError(const char* function) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::string line = FormatMathErrorLine(local, function);
  std::fprintf(stderr, "MATHERR %s\n", function ? function : "");
  std::lock_guard<std::mutex> lock(LogMutex());
  std::FILE* f = std::fopen(LogPath().c_str(), "a");
  if (!f) return;  // no log: the line is dropped
  std::fputs(line.c_str(), f);
  std::fclose(f);
}

double CheckedSqrt(double x) {
  if (x < 0.0) {
    ReportMathError("sqrt");
    return 1.0;
  }
  return std::sqrt(x);
}

double CheckedLog(double x) { return Check("log", std::log(x), x); }
double CheckedLog10(double x) { return Check("log10", std::log10(x), x); }
double CheckedExp(double x) { return Check("exp", std::exp(x), x); }
double CheckedPow(double x, double y) { return Check("pow", std::pow(x, y), x, y); }
double CheckedAsin(double x) { return Check("asin", std::asin(x), x); }
double CheckedAcos(double x) { return Check("acos", std::acos(x), x); }
double CheckedAtan2(double y, double x) { return Check("atan2", std::atan2(y, x), y, x); }
double CheckedFmod(double x, double y) { return Check("fmod", std::fmod(x, y), x, y); }
double CheckedSin(double x) { return Check("sin", std::sin(x), x); }
double CheckedCos(double x) { return Check("cos", std::cos(x), x); }

}  // namespace ign
