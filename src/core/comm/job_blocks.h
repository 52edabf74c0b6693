#pragma once
// How a job's range is cut into blocks, and the command bytes of each job.
#include <cstdint>
#include <optional>

namespace ign {

constexpr int JOB_IDLE = 0;
constexpr int JOB_WRITE = 17;
constexpr int JOB_READ = 18;
constexpr int JOB_MONITOR = 35;
constexpr int JOB_COMMAND = 65;
constexpr int JOB_HEADER = 66;
constexpr int JOB_FAILED = 132;
constexpr int JOB_DONE = 136;

bool JobRunning(int job);
// One of the five jobs StartJob accepts.
bool KnownJob(int job);
// Jobs whose answers carry data into the receive image.
bool JobStores(int job);

struct Block {
  int address = 0;
  int length = 0;
};

// Short family: the first whole block of size b, starting with the block that
// holds `current` and below `end` rounded up to a block, with a transfer mark.
std::optional<Block> NextShortBlock(const uint8_t* marks, int current, int end, int b);
// Header family: a run of marked addresses from `current`, at most b long,
// bridging at most 50 unmarked addresses, ending at `end`.
std::optional<Block> NextHeaderBlock(const uint8_t* marks, int current, int end, int b);

struct ShortCommand {
  int base = 0;       // command byte = base + block number
  int answer = 0;     // expected answer = answer + block number
  int maxBlocks = 0;  // block numbers the command byte can carry
};
ShortCommand ShortCommandOf(int job);

// Header family command words.
constexpr uint16_t kHdrWrite = 0x7020;
constexpr uint16_t kHdrRead = 0x7010;
constexpr uint16_t kHdrMonitor = 0x7050;
constexpr uint16_t kHdrHeader = 0x701F;

}  // namespace ign
