#pragma once
// The live display's view of the main window.
#include "ui/monitor/live_display.h"

namespace ign {

class TMainForm;

class TLiveHost : public ILiveHost {
 public:
  explicit TLiveHost(TMainForm& form) : form_(form) {}
  bool LiveData() const override;
  const Image& EditedImage() const override;
  bool DeveloperMode() const override;
  void UnitTexts(std::string& unit, std::string& date, std::string& time) const override;
  LocalTime RowTime() const override;
  void AnnounceStream(const StreamAnnouncement& stream) override;
  void FeedPages(const LivePoint& live, int loadVoltage) override;
  void RefreshPages() override;
  void AddTestBits(int index, uint8_t bits) override;
  void CsvStopped(const std::string& message) override;

 private:
  TMainForm& form_;
};

}  // namespace ign
