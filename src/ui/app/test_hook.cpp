// TMainForm: a committed change driven from outside, for the crash-safety test
// and for demonstrations, until the pages can make real edits.
//
//   IGN_TEST_COMMIT=<byte>=<value>   on the first initialised tick: set image
//   byte <byte> (0..1049) of the edited image to <value> and commit it (the
//   undo snapshot writes the settings), then toggle the player panel (which
//   writes them again).
//   "COMMITTED" then goes to standard output.
#include <cstdio>
#include <cstdlib>

#include "ui/app/main_form.h"

namespace ign {

void TMainForm::ApplyTestHook() {
  const char* request = std::getenv("IGN_TEST_COMMIT");
  if (!request || !*request) return;
  unsigned address = 0, value = 0;
  if (std::sscanf(request, "%u=%u", &address, &value) != 2 || address >= unsigned(RS_LEN_EXE) ||
      value > 255) {
    std::fprintf(stderr, "IGN_TEST_COMMIT: expected <byte>=<value>\n");
    return;
  }
  params_.edited[address] = uint8_t(value);
  CommitImageChange();
  MenuMonitorPlayerClick();
  std::printf("COMMITTED\n");
  std::fflush(stdout);
}

}  // namespace ign
