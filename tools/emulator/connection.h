// The connection object handed to IInitDone::Init: an IDispatch that offers
// every platform service through QueryInterface.
#pragma once
#include <string>

#include "host/connection_object.h"
#include "tools/emulator/platform_services.h"

class Connection final : public NoDispatch<HostObject<IDispatch>> {
 public:
  explicit Connection(std::wstring profilePath) : profile(std::move(profilePath)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;

  EmulatedStatusLine statusLine;
  EmulatedErrorLog errorLog;
  EmulatedAsyncEvent asyncEvent;
  EmulatedMessageBox messageBox;
  EmulatedPlatformInfo platformInfo;
  FileProfile profile;
};
