#pragma once
// RelabelAll: writes every text of the main window in the current language.
// Its steps run in this order:
//   1. refill the message table (built in: FillMessages);
//   2. menu captions and the check marks of the language items;
//   3. hints of buttons and menu items;
//   4. the window title, then the texts and rebuilt lists of all pages
//      (the status slots show their kept texts again at its end).
// The window registers the steps 2 to 4 under the orders below; steps with the
// same order run in the order they were registered.
#include <functional>
#include <vector>

namespace ign {

namespace RelabelOrder {
constexpr int MenuCaptions = 200;
constexpr int Hints = 300;
constexpr int PageTextsBegin = 400;  // step 4 is every order from here to PageTextsEnd
constexpr int Title = 400;
constexpr int PageTexts = 410;
constexpr int StatusSlots = 490;
constexpr int PageTextsEnd = 499;
}  // namespace RelabelOrder

class CRelabel {
 public:
  using Step = std::function<void()>;

  // Returns an id for Remove.
  int Add(int order, Step step);
  void Remove(int id);
  // Runs the steps whose order lies in [fromOrder, toOrder], by order.
  void Run(int fromOrder, int toOrder) const;
  void RunAll() const;

 private:
  struct Entry {
    int order;
    int id;
    Step step;
  };
  std::vector<Entry> steps_;  // sorted by order, then by registration
  int nextId_ = 1;
};

// The main window's relabelling steps.
CRelabel& RelabelSteps();
int RegisterRelabelStep(int order, std::function<void()> step);
void UnregisterRelabelStep(int id);

// Steps 1 to 4. Runs at start-up, after a language change and after the port
// has been lent to the bootloader or taken back.
void RelabelAll();
// Step 4 alone (the Sensors page needs it when it is loaded).
void RelabelPageTexts();
// Sets the current language and relabels (the Language menu); the caller then
// reloads the active page.
void ChangeLanguage(int language);

}  // namespace ign
