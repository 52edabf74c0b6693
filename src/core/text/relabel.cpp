#include "core/text/relabel.h"

#include <algorithm>
#include <climits>

#include "core/text/language.h"
#include "core/text/messages.h"

namespace ign {

int CRelabel::Add(int order, Step step) {
  const int id = nextId_++;
  auto pos = std::upper_bound(steps_.begin(), steps_.end(), order,
                              [](int o, const Entry& e) { return o < e.order; });
  steps_.insert(pos, Entry{order, id, std::move(step)});
  return id;
}

void CRelabel::Remove(int id) {
  std::erase_if(steps_, [id](const Entry& e) { return e.id == id; });
}

void CRelabel::Run(int fromOrder, int toOrder) const {
  // A step may register or remove steps; run over a snapshot.
  const std::vector<Entry> snapshot = steps_;
  for (const Entry& e : snapshot) {
    if (e.order >= fromOrder && e.order <= toOrder && e.step) e.step();
  }
}

void CRelabel::RunAll() const { Run(INT_MIN, INT_MAX); }

CRelabel& RelabelSteps() {
  static CRelabel steps;
  return steps;
}

int RegisterRelabelStep(int order, std::function<void()> step) {
  return RelabelSteps().Add(order, std::move(step));
}

void UnregisterRelabelStep(int id) { RelabelSteps().Remove(id); }

void RelabelAll() {
  FillMessages();
  RelabelSteps().RunAll();
}

void RelabelPageTexts() { RelabelSteps().Run(RelabelOrder::PageTextsBegin, RelabelOrder::PageTextsEnd); }

void ChangeLanguage(int language) {
  SetLanguage(language);
  RelabelAll();
}

}  // namespace ign
