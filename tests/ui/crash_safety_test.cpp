// ignset as a real process: a committed change survives kill -9, and a
// termination signal closes the window in order.
#include <QGroupBox>
#include <QProcess>
#include <array>
#include <csignal>

#include "core/app/default_ini.h"
#include "form_fixture.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

class ProcessFixture : public FormFixture {
 protected:
  void StartProcess(const char* commit) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("IGN_TEST_COMMIT", commit);
    proc_.setProcessEnvironment(env);
    proc_.setProgram(QString::fromLatin1(IGN_BINARY_DIR "/tests/ignset_hooked"));
    proc_.start();
    ASSERT_TRUE(proc_.waitForStarted(10000));
    ASSERT_TRUE(
        WaitFor([&] { return out_.append(proc_.readAllStandardOutput()).contains("COMMITTED"); }, 30000))
        << "ignset did not report the change; stderr: " << proc_.readAllStandardError().toStdString();
  }
  void TearDown() override {
    if (proc_.state() != QProcess::NotRunning) {
      proc_.kill();
      proc_.waitForFinished(10000);
    }
    FormFixture::TearDown();
  }
  QProcess proc_;
  QByteArray out_;
};

TEST_F(ProcessFixture, CommittedChangeSurvivesKillNine) {
  StartProcess("600=123");
  ::kill(pid_t(proc_.processId()), SIGKILL);
  ASSERT_TRUE(proc_.waitForFinished(10000));
  EXPECT_EQ(proc_.exitStatus(), QProcess::CrashExit);

  std::array<uint8_t, RS_LEN_EXE> saved{};
  EXPECT_EQ(ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size()), long(RS_LEN_EXE));
  // The next start shows the change.
  TMainForm& f = Start();
  EXPECT_EQ(f.Params().Edited()[600], 123);
  EXPECT_FALSE(Find<QGroupBox>("GroupBoxPlayer")->isHidden());
  // No temporary files are left behind.
  for (auto& e : std::filesystem::directory_iterator(SettingsDir()))
    EXPECT_TRUE(e.path().filename() == "application.ini" || e.path().filename() == "default.ini") << e.path();
}

TEST_F(ProcessFixture, TerminationSignalClosesInOrder) {
  StartProcess("601=124");
  // Remove the files: only an orderly shutdown writes them again.
  std::filesystem::remove(SettingsFile("application.ini"));
  std::filesystem::remove(SettingsFile("default.ini"));
  ::kill(pid_t(proc_.processId()), SIGTERM);
  ASSERT_TRUE(proc_.waitForFinished(20000));
  EXPECT_EQ(proc_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(proc_.exitCode(), 0);
  EXPECT_NE(ReadSettingsFile("application.ini").find("MONITORPLAYER=1\r\n"), std::string::npos);
  std::array<uint8_t, RS_LEN_EXE> saved{};
  ASSERT_EQ(ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size()), long(RS_LEN_EXE));
  EXPECT_EQ(saved[601], 124);
}

}  // namespace
}  // namespace ign
