#pragma once
// The bodies of the fuzz targets. Each takes one input and runs it through the
// code under test; an inconsistency it can see by itself ends the process with
// a message (abort), so that the fuzzer and the regression test both report it.
// The libFuzzer entry points and the regression replay share these functions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ign::fuzz {

// The frame codec of the short family ("IGN50".."IGN300") fed through a port's
// receive ring, with an announced pick-up stream and clock steps taken from the input.
int CodecShort(const uint8_t* data, size_t size);
// The same for the header family ("WCOM", "WCOMS").
int CodecHeader(const uint8_t* data, size_t size);
// The settings-file reader on arbitrary text.
int IgnReader(const uint8_t* data, size_t size);
// "default.ini": the image text of the last run.
int DefaultIni(const uint8_t* data, size_t size);
// "application.ini": the INI parser and the application settings read from it.
int AppIni(const uint8_t* data, size_t size);
// The unit information decoded from a 150-byte unit header.
int UnitInfo(const uint8_t* data, size_t size);

using TargetFn = int (*)(const uint8_t*, size_t);
struct Target {
  const char* name;
  TargetFn fn;
};
// Every target by its folder name under fuzz/corpus and fuzz/regressions.
const std::vector<Target>& Targets();

}  // namespace ign::fuzz
