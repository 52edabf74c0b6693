// Requests the unit receives and the answer frames it sends back.
#pragma once

#include <cstdint>
#include <vector>

namespace ign::sim {

// One request of the program, already checked.
struct Request {
  bool header = false;        // header family (else short family)
  std::uint8_t command = 0;   // short family: command byte
  std::uint8_t marker = 0;    // header family: byte 7
  std::uint16_t word = 0;     // header family: command word
  std::uint16_t address = 0;  // header family: address field
  std::vector<std::uint8_t> data;
};

inline constexpr std::size_t kHeaderFrameOverhead = 16;
inline constexpr std::size_t kMaxHeaderData = 1024;

// Short answer: command byte, the N data bytes (padded or cut to n), check byte.
std::vector<std::uint8_t> BuildShortAnswer(int n, std::uint8_t command,
                                           const std::vector<std::uint8_t>& data);

// Header reply with a positive (0xC) or negative (0xD) marker and the check of the chosen kind.
std::vector<std::uint8_t> BuildHeaderReply(bool sumCheck, bool positive, std::uint16_t word,
                                           std::uint16_t address, const std::vector<std::uint8_t>& data);

// Short acknowledgement of the header family: command word 0xFFFF, the acknowledged command
// word in the address field and the address as a 2-byte data word.
std::vector<std::uint8_t> BuildHeaderAck(bool sumCheck, std::uint16_t ackedWord, std::uint16_t address);

// Short negative acknowledgement: command word 0xFFFE, otherwise as BuildHeaderAck.
std::vector<std::uint8_t> BuildHeaderNak(bool sumCheck, std::uint16_t refusedWord, std::uint16_t address);

// Serialises a header frame of any kind (used for requests in tests as well).
std::vector<std::uint8_t> BuildHeaderFrame(std::uint8_t marker, std::uint16_t word, std::uint16_t address,
                                           const std::vector<std::uint8_t>& data);

}  // namespace ign::sim
