#include "tools/emulator/connection.h"

HRESULT Connection::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  IUnknown* service = nullptr;
  if (riid == __uuidof(IStatusLine)) service = statusLine.As<IStatusLine>();
  else if (riid == __uuidof(IErrorLog)) service = errorLog.As<IErrorLog>();
  else if (riid == __uuidof(IAsyncEvent)) service = asyncEvent.As<IAsyncEvent>();
  else if (riid == __uuidof(IMsgBox)) service = messageBox.As<IMsgBox>();
  else if (riid == __uuidof(IPlatformInfo)) service = platformInfo.As<IPlatformInfo>();
  else if (riid == __uuidof(IPropertyProfile)) service = profile.As<IPropertyProfile>();
  if (!service) return HostObject::QueryInterface(riid, ppv);
  service->AddRef();
  *ppv = service;
  return S_OK;
}
