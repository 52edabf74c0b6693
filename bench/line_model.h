#pragma once
// Line time of the frames an operation needs: request and answer bytes at
// 10 bits per byte. The frame sizes follow the frame families; the header
// family's block size is what the simulated unit reports (272-byte frames).
#include <string>

namespace ign::bench {

struct FamilyInfo {
  std::string name;      // as ignsim --family takes it
  int type = 0;          // Proto::*
  int baud = 57600;      // the line rate of the search-table row that finds it
  int headerData = 256;  // header family: data bytes per block
};

// Bytes on the line (both directions) and frame count of one job.
struct LineCost {
  long bytes = 0;        // request + answer bytes
  long answerBytes = 0;  // the unit's side only
  int frames = 0;        // request frames
  LineCost& operator+=(const LineCost& o) {
    bytes += o.bytes, answerBytes += o.answerBytes, frames += o.frames;
    return *this;
  }
};

LineCost ReadCost(const FamilyInfo& f, int length);   // JOB_READ or JOB_HEADER of [0, length)
LineCost WriteCost(const FamilyInfo& f, int length);  // JOB_WRITE of [0, length)
LineCost MonitorCost(const FamilyInfo& f);            // one monitor read
double LineMs(const FamilyInfo& f, long bytes);       // bytes x 10 bits / baud

// The operations as the state machine runs them.
LineCost ReadOpCost(const FamilyInfo& f);     // two reads of the image
LineCost VerifyOpCost(const FamilyInfo& f);   // one read
LineCost ProgramOpCost(const FamilyInfo& f);  // header twice, write, read back
LineCost CheckOpCost(const FamilyInfo& f);    // header twice, monitor, two reads
LineCost ProbeCost(const FamilyInfo& f);      // the search probe that finds the unit, and its answer

}  // namespace ign::bench
