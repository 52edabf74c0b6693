#pragma once
// A main window started against a private settings folder, marker file and an
// empty port folder, with error boxes recorded instead of shown.
#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/text/language.h"
#include "qt_app.h"
#include "tests/app/temp_dir.h"
#include "ui/app/device_commands.h"
#include "ui/app/error_box.h"
#include "ui/app/main_form.h"

namespace ign::test {

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_FALSE(dir_.Path().empty());
    std::filesystem::create_directories(SettingsDir());
    std::filesystem::create_directories(dir_.File("ports"));
    ::setenv("IGN_SETTINGS_DIR", SettingsDir().c_str(), 1);
    ::setenv("IGN_MARKER_FILE", dir_.File("marker").c_str(), 1);
    ::setenv("IGN_PORT_DIR", dir_.File("ports").c_str(), 1);
    ::setenv("IGN_HANDOVER_SOCKET", dir_.File("handover.sock").c_str(), 1);
    ::unsetenv("IGN_TEST_COMMIT");
    SetLanguage(LNG_ENGLISH);
    SetErrorBoxPresenter([this](const std::string& text, unsigned flags) {
      errorBoxes_.push_back(text);
      lastFlags_ = flags;
      return 1;
    });
  }
  void TearDown() override {
    form_.reset();
    SetErrorBoxPresenter(nullptr);
    SetLanguage(LNG_ENGLISH);
  }

  std::string SettingsDir() const { return dir_.File("settings"); }
  std::string SettingsFile(const std::string& name) const { return SettingsDir() + "/" + name; }
  void WriteSettingsFile(const std::string& name, const std::string& text) {
    ASSERT_TRUE(WriteFileAtomically(SettingsFile(name), text));
  }
  std::string ReadSettingsFile(const std::string& name) const {
    std::string text;
    ReadWholeFile(SettingsFile(name), text);
    return text;
  }

  TMainForm& Start(QStringList args = {"ignset"}) {
    form_ = std::make_unique<TMainForm>(args);
    // File messages are recorded; a message box would wait for a click.
    form_->SetFileMessageSink([this](const std::string& m) { fileMessages_.push_back(m); });
    form_->FormCreate();
    return *form_;
  }

  template <typename T>
  T* Find(const char* name) {
    return form_->findChild<T*>(QString::fromLatin1(name));
  }

  TempDir dir_;
  std::unique_ptr<TMainForm> form_;
  std::vector<std::string> errorBoxes_;
  std::vector<std::string> fileMessages_;
  unsigned lastFlags_ = 0;
};

}  // namespace ign::test
