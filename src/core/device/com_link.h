#pragma once
// The state machine's view of the serial job engine.
#include "core/comm/comcom.h"
#include "core/device/link_iface.h"

namespace ign {

class CComLink : public ILink {
 public:
  explicit CComLink(CCOMCOM& com) : com_(com) {}
  void LinkTick() override { com_.LinkTick(); }
  void CloseLink() override { com_.CloseLink(); }
  int ConnectedPort() const override { return com_.ConnectedPort(); }
  bool LinkEnabled() const override { return com_.Enabled(); }
  void SetLinkEnabled(bool enabled) override { com_.SetEnabled(enabled); }
  int ConfiguredPort() const override { return com_.ConfiguredPort(); }
  std::vector<int> SearchPorts() const override;
  int JobCode() const override { return com_.JobCode(); }
  int LastJobCode() const override { return com_.LastJobCode(); }
  void TakeResult() override { com_.TakeResult(); }
  int CurrentAddress() const override { return com_.CurrentAddress(); }
  void StartJob(int job, int address, int count, int flags) override {
    com_.StartJob(job, address, count, flags);
  }
  void SetCommand(int word, int address, int length) override {
    com_.SetCommandParams(word, address, length);
  }
  uint8_t* SendImage() override { return com_.SendImage(); }
  uint8_t* TransferMarks() override { return com_.TransferMarks(); }
  const uint8_t* ReceiveImage() const override { return com_.ReceiveImage(); }

 private:
  CCOMCOM& com_;
};

}  // namespace ign
