// A second start of ignset hands its file to the window that runs: the
// running window opens settings files and plays recordings given that way.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

#include "core/files/ign_writer.h"
#include "form_fixture.h"
#include "ui/app/handover_server.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/player_panel.h"

namespace ign::test {
namespace {

// Runs the event loop until done() holds, at most about five seconds.
bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

using SingleInstance = FormFixture;

TEST_F(SingleInstance, SecondStartHandsSettingsFileAndRecordingToTheRunningWindow) {
  TMainForm& f = Start();
  const std::string socket = dir_.File("handover.sock");

  Image img = f.Params().Edited();
  img[Adrb::ADVANCE] = uint8_t(img[Adrb::ADVANCE] == 120 ? 121 : 120);
  const std::string file = dir_.File("bike.ign");
  ASSERT_TRUE(SaveSettingsFile(file, img, {}));
  ASSERT_TRUE(HandToRunningInstance(socket, file));
  ASSERT_TRUE(ProcessUntil([&] { return f.CurrentFile() == file; }));
  EXPECT_EQ(f.Params().Edited()[Adrb::ADVANCE], img[Adrb::ADVANCE]);
  EXPECT_TRUE(fileMessages_.empty()) << fileMessages_.front();

  // A recording made here, then handed over: the player plays it.
  const std::string ride = dir_.File("ride.IGNLOG");
  f.MonitorCommands().chooseFile = [&](bool, const char*, const char*) { return ride; };
  f.MonitorCommands().SpeedButtonPlay(TPlayerPanel::Record);
  f.MonitorCommands().SpeedButtonPlay(TPlayerPanel::Stop);
  ASSERT_TRUE(std::filesystem::exists(ride));
  ASSERT_TRUE(HandToRunningInstance(socket, ride));
  EXPECT_TRUE(ProcessUntil([&] { return f.Session().Monitor().Playing(); }));
  EXPECT_EQ(f.Session().Monitor().Player().FileName(), ride);

  // A second start without a file only brings the window forward.
  ASSERT_TRUE(HandToRunningInstance(socket, ""));
  QCoreApplication::processEvents();
  EXPECT_EQ(f.CurrentFile(), file);
}

TEST_F(SingleInstance, AStartWithNobodyListeningRunsItself) {
  // No window: no socket, and a socket file left by a program that died.
  EXPECT_FALSE(HandToRunningInstance(dir_.File("none.sock"), dir_.File("bike.ign")));
  const std::string stale = dir_.File("stale.sock");
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", stale.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(stale));
  EXPECT_FALSE(HandToRunningInstance(stale, ""));
}

}  // namespace
}  // namespace ign::test
