// Sizes and addresses the simulated unit shares with the program's wire formats.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ign::sim {

inline constexpr std::size_t kImageSize = 1050;  // settings block of the unit
inline constexpr std::size_t kHeaderSize = 150;  // unit header (identity block)
inline constexpr std::size_t kRecordSize = 150;  // monitor record, data bytes 1..150
inline constexpr int kDefaultKey = 108;
inline constexpr std::size_t kMaxStreamBytes = 15000;  // the program drops longer streams

// Short-family command bytes (requests; answers carry bit 7).
inline constexpr std::uint8_t kCmdReset = 0x00;        // command block, no data back
inline constexpr std::uint8_t kCmdWriteBase = 0x00;    // + block + 1
inline constexpr std::uint8_t kCmdMonitorBase = 0x30;  // + block
inline constexpr std::uint8_t kCmdHeader = 0x40;       // header read
inline constexpr std::uint8_t kCmdReadBase = 0x40;     // + block + 1
inline constexpr std::uint8_t kAnswerFlag = 0x80;

// Header-family command words.
inline constexpr std::uint16_t kWordIdentify = 0xFEEE;
inline constexpr std::uint16_t kWordRead = 0x7010;
inline constexpr std::uint16_t kWordHeader = 0x701F;
inline constexpr std::uint16_t kWordWrite = 0x7020;
inline constexpr std::uint16_t kWordMonitor = 0x7050;
inline constexpr std::uint16_t kWordCommand = 0xF000;
inline constexpr std::uint16_t kWordAck = 0xFFFF;
inline constexpr std::uint16_t kWordNak = 0xFFFE;

// Reset command block: bytes 12 and 13 of the command data.
inline constexpr std::uint8_t kResetMagic0 = 0xA5;
inline constexpr std::uint8_t kResetMagic1 = 0x10;

// Saving work the unit announces after a programming (monitor word 8).
inline constexpr int kSavingStart = 2100;

}  // namespace ign::sim
