#pragma once
// The main window title, composed from a few facts about the session.
#include <cstddef>
#include <string>

namespace ign {

namespace title {
constexpr const char* kProductCode = "QUNTAR6";
// The program's key: the parameter structure this program understands.
constexpr int kProgramKey = 108;
constexpr std::size_t kMaxCsvPiece = 256;  // characters of the CSV piece
constexpr const char* kBootloaderText =
    "###(Disconnected by bootloader)##(Von Bootloader getrennt)##(Dočasně odpojeno bootloaderem)";
}  // namespace title

struct TitleState {
  bool saved = false;         // the edited image equals the current settings file
  std::string fileName;       // the current settings file, as the file commands keep it
  bool csvRunning = false;    // a CSV log is being written
  std::string csvFileName;    // its path
  bool linkDisabled = false;  // the port is lent to the bootloader program
};

// "  QUNTAR6 (v108)", then the saved file, the running CSV log and the
// bootloader hand-over; the bootloader text in language (-1: current).
std::string ComposeTitle(const TitleState& state, int language = -1);

}  // namespace ign
