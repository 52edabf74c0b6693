#pragma once
// What the window's COM menu and timer see of the communication object: the
// port list and the link. The port layer is real; the link state belongs to
// the connection state machine and reads "not connected" until that is wired.
#include <memory>

#include "core/app/com_menu.h"
#include "core/comm/comiosys.h"

namespace ign {

class TCommAdapter : public IPortList, public ILinkControl {
 public:
  TCommAdapter();
  ~TCommAdapter() override;

  CCOMIOSYS& Comm() { return *comm_; }

  // IPortList
  bool PortPresent(int port) const override;
  std::string PortDevice(int port) const override;

  // ILinkControl
  bool LinkDisabled() const override { return linkDisabled_; }
  void TakeLinkBack() override { linkDisabled_ = false; }
  bool UnitConnected() const override { return unitConnected_; }
  int ConnectedPort() const override { return connectedPort_; }
  void DropLink() override;
  void Trace(const char* text) override;

  bool PortListChanged() const { return comm_->PortListChanged(); }
  void ClearPortListChanged() { comm_->ClearPortListChanged(); }
  // The link layer's share of a communication step.
  void Service() { comm_->ServicePorts(); }
  void CloseAllPorts() { comm_->CloseAll(); }
  void Stop() { comm_->StopThreads(); }

 private:
  std::unique_ptr<CCOMIOSYS> comm_;
  bool linkDisabled_ = false;
  bool unitConnected_ = false;
  int connectedPort_ = 0;
};

}  // namespace ign
