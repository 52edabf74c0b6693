#pragma once
// The main window shown and connected to a simulated unit on COM7.
#include <memory>
#include <string>
#include <vector>

#include "core/device/engine.h"
#include "tests/support/sim_process.h"
#include "tests/ui/form_fixture.h"

namespace ign::test {

class SimWindowFixture : public FormFixture {
 protected:
  // The window connected to a unit started with the extra options (one unit
  // on the port at a time: a running one is stopped first).
  TMainForm& Connect(std::vector<std::string> extra) {
    SimOptions options;
    options.com = 7;
    options.extra = std::move(extra);
    sim_.reset();
    sim_ = std::make_unique<SimProcess>(dir_.File("ports"), options);
    EXPECT_TRUE(sim_->ready()) << sim_->errorOutput();
    TMainForm& f = Start({"ignset", "nopatchcheck"});
    f.show();
    EXPECT_TRUE(WaitFor([&] { return f.Engine().Machine().Connected(); }, 30000)) << "no connection";
    return f;
  }

  std::unique_ptr<SimProcess> sim_;
};

}  // namespace ign::test
