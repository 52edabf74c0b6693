#pragma once
// The window's communication object: the serial job engine with its port
// search, and the connection state machine on top of it. It also answers the
// COM menu (port list, link control) and passes the machine's wishes to the
// window through the hooks below.
#include <functional>
#include <memory>
#include <string>

#include "core/app/com_menu.h"
#include "core/comm/comcom.h"
#include "core/params/com_link.h"
#include "core/params/comm_machine.h"

namespace ign {

class TCommAdapter : public IPortList, public ILinkControl, public ICommHost {
 public:
  TCommAdapter(ParamState& params, IStatus& status);
  ~TCommAdapter() override;

  CCOMCOM& Com() { return com_; }
  CCommMachine& Machine() { return machine_; }

  // IPortList
  bool PortPresent(int port) const override;
  std::string PortDevice(int port) const override;

  // ILinkControl (the COM menu)
  bool LinkDisabled() const override { return !com_.Enabled(); }
  void TakeLinkBack() override { machine_.TakeBackPort(machine_.SavedPort()); }
  bool UnitConnected() const override { return machine_.Connected(); }
  int ConnectedPort() const override { return com_.ConnectedPort(); }
  void DropLink() override;
  void Trace(const char* text) override { com_.TraceLine(text); }

  // ICommHost: forwarded to the window.
  void ReloadPages() override { Call(onReloadPages); }
  void TakeSnapshot() override { Call(onTakeSnapshot); }
  void ResetUnitInfo() override { Call(onResetUnitInfo); }
  void SaveAppSettings() override { Call(onSaveSettings); }
  void RefreshCaptions() override { Call(onRefreshCaptions); }
  void SetComLabel(const std::string& text) override {
    if (onComLabel) onComLabel(text);
  }
  void SetGauge(const GaugeView& gauge) override {
    if (onGauge) onGauge(gauge);
  }
  void DecodeUnitInfo(const uint8_t* header150) override {
    if (onUnitHeader) onUnitHeader(header150);
  }
  void ProcessMonitor(const uint8_t* record151) override {
    if (onMonitor) onMonitor(record151);
  }
  void ShowVersionMessage(const std::string& text) override {
    if (onVersionMessage) onVersionMessage(text);
  }
  void ForgetFileName() override { Call(onForgetFileName); }

  std::function<void()> onReloadPages, onTakeSnapshot, onResetUnitInfo, onSaveSettings, onRefreshCaptions,
      onForgetFileName;
  std::function<void(const std::string&)> onVersionMessage;
  std::function<void(const std::string&)> onComLabel;
  std::function<void(const GaugeView&)> onGauge;
  std::function<void(const uint8_t*)> onUnitHeader, onMonitor;

 private:
  static void Call(const std::function<void()>& f) {
    if (f) f();
  }

  ParamState& params_;
  IStatus& status_;
  CCOMCOM com_;
  CComLink link_;
  CCommMachine machine_;
};

}  // namespace ign
