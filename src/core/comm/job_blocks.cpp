#include "core/comm/job_blocks.h"

#include <algorithm>

#include "core/comm/comm_const.h"

namespace ign {

bool JobRunning(int job) { return job != JOB_IDLE && job != JOB_FAILED && job != JOB_DONE; }

bool KnownJob(int job) {
  return job == JOB_WRITE || job == JOB_READ || job == JOB_MONITOR || job == JOB_COMMAND || job == JOB_HEADER;
}

bool JobStores(int job) { return job == JOB_READ || job == JOB_MONITOR || job == JOB_HEADER; }

std::optional<Block> NextShortBlock(const uint8_t* marks, int current, int end, int b) {
  if (b <= 0 || current < 0) return std::nullopt;
  end = std::min(end, COMMAXBUF);
  const int lastBlock = (end + b - 1) / b;  // exclusive
  for (int block = current / b; block < lastBlock; ++block) {
    const int from = block * b;
    const int to = std::min(from + b, COMMAXBUF);
    for (int a = from; a < to; ++a) {
      if (marks[a]) return Block{from, b};
    }
  }
  return std::nullopt;
}

std::optional<Block> NextHeaderBlock(const uint8_t* marks, int current, int end, int b) {
  if (b <= 0 || current < 0) return std::nullopt;
  end = std::min(end, COMMAXBUF);
  int start = current;
  while (start < end && !marks[start]) ++start;
  if (start >= end) return std::nullopt;
  int last = start;
  int gap = 0;
  for (int a = start + 1; a < end; ++a) {
    if (a - start + 1 > b) break;
    if (marks[a]) {
      last = a;
      gap = 0;
    } else if (++gap > kHeaderGapMarks) {
      break;
    }
  }
  return Block{start, last - start + 1};
}

ShortCommand ShortCommandOf(int job) {
  switch (job) {
    case JOB_WRITE: return {0x01, 0x81, 47};
    case JOB_READ: return {0x41, 0xC1, 47};
    case JOB_MONITOR: return {0x30, 0xB0, 16};
    case JOB_COMMAND: return {0x00, 0x80, 1};
    case JOB_HEADER: return {0x40, 0xC0, 1};
    default: return {};
  }
}

}  // namespace ign
