#include "core/text/relabel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/language.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

namespace ign {
namespace {

TEST(Relabel, StepsRunByOrderThenByRegistration) {
  CRelabel relabel;
  std::vector<std::string> ran;
  relabel.Add(RelabelOrder::PageTexts, [&] { ran.push_back("pages"); });
  relabel.Add(RelabelOrder::MenuCaptions, [&] { ran.push_back("menus"); });
  relabel.Add(RelabelOrder::StatusSlots, [&] { ran.push_back("status"); });
  relabel.Add(RelabelOrder::Title, [&] { ran.push_back("title"); });
  relabel.Add(RelabelOrder::Hints, [&] { ran.push_back("hints"); });
  relabel.Add(RelabelOrder::PageTexts, [&] { ran.push_back("pages 2"); });
  relabel.RunAll();
  EXPECT_EQ(ran, (std::vector<std::string>{"menus", "hints", "title", "pages", "pages 2", "status"}));

  ran.clear();
  relabel.Run(RelabelOrder::PageTextsBegin, RelabelOrder::PageTextsEnd);
  EXPECT_EQ(ran, (std::vector<std::string>{"title", "pages", "pages 2", "status"}));
}

TEST(Relabel, RemovedStepsNoLongerRun) {
  CRelabel relabel;
  int runs = 0;
  const int id = relabel.Add(RelabelOrder::Hints, [&] { ++runs; });
  relabel.RunAll();
  relabel.Remove(id);
  relabel.RunAll();
  EXPECT_EQ(runs, 1);
}

TEST(Relabel, StepMayChangeTheListWhileRunning) {
  CRelabel relabel;
  int later = 0;
  int self = 0;
  self = relabel.Add(RelabelOrder::MenuCaptions, [&] {
    relabel.Remove(self);
    relabel.Add(RelabelOrder::Hints, [&] { ++later; });
  });
  relabel.RunAll();  // the step added while running waits for the next run
  EXPECT_EQ(later, 0);
  relabel.RunAll();
  EXPECT_EQ(later, 1);
}

TEST(Relabel, RelabelAllFillsMessagesBeforeTheSteps) {
  ClearMessages();
  std::string seenByMenus;
  const int id = RegisterRelabelStep(RelabelOrder::MenuCaptions, [&] { seenByMenus = Msg(89); });
  ChangeLanguage(LNG_CESKY);
  EXPECT_EQ(CurrentLanguage(), LNG_CESKY);
  EXPECT_EQ(seenByMenus, "COM &odpojen");
  EXPECT_STREQ(LngStr("###Gear##Gang##Převodový stupeň"), "Převodový stupeň");

  int pageRuns = 0;
  const int pages = RegisterRelabelStep(RelabelOrder::PageTexts, [&] { ++pageRuns; });
  seenByMenus.clear();
  RelabelPageTexts();
  EXPECT_EQ(pageRuns, 1);
  EXPECT_EQ(seenByMenus, "");  // step 4 alone leaves the menus alone

  UnregisterRelabelStep(id);
  UnregisterRelabelStep(pages);
  ChangeLanguage(LNG_ENGLISH);
  ClearMessages();
}

}  // namespace
}  // namespace ign
