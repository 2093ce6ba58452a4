// The platform's services as the emulator offers them: each one prints what
// the component asks of it, and the property profile keeps its entries in a file.
#pragma once
#include <atomic>
#include <string>

#include "host/host_services.h"
#include "tools/emulator/host_object.h"

class EmulatedStatusLine final : public HostObject<IStatusLine> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR bstrStatusLine) override;
  HRESULT STDMETHODCALLTYPE ResetStatusLine() override;
};

class EmulatedErrorLog final : public HostObject<IErrorLog> {
 public:
  HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR pszPropName, EXCEPINFO* pExcepInfo) override;
};

// External events, printed with a time stamp as they arrive, from any thread.
class EmulatedAsyncEvent final : public HostObject<IAsyncEvent> {
 public:
  HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long lDepth) override;
  HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long* plDepth) override;
  HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR bstrSource, BSTR bstrMessage, BSTR bstrData) override;
  HRESULT STDMETHODCALLTYPE CleanBuffer() override;

  long EventCount() const { return events_; }

 private:
  std::atomic<long> events_{0};
  std::atomic<long> depth_{1};
};

class EmulatedMessageBox final : public HostObject<IMsgBox> {
 public:
  HRESULT STDMETHODCALLTYPE Confirm(BSTR bstrMessage, VARIANT* pvarAnswer) override;
  HRESULT STDMETHODCALLTYPE MsgBox(BSTR bstrMessage, VARIANT* pvarAnswer, long lStyle, long lTimeout) override;
};

class EmulatedPlatformInfo final : public HostObject<IPlatformInfo> {
 public:
  HRESULT STDMETHODCALLTYPE GetPlatformInfo(AppInfo** ppInfo) override;

 private:
  AppInfo info_{kVersionText};
  static constexpr wchar_t kVersionText[] = L"8.3.22.1709 (platform emulator)";
};

// Property profile kept in an INI file: one section per registered profile
// name. As on the platform, "Name:0" and "Name" reach the same entry.
class FileProfile final : public HostObject<IPropertyProfile> {
 public:
  explicit FileProfile(std::wstring path) : path_(std::move(path)) {}

  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog* pErrorLog) override;
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR pszPropName, VARIANT* pVar) override;
  HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR bstrProfileName) override;

  const std::wstring& Path() const { return path_; }
  // The entry's stored text in the registered profile, or nothing.
  std::wstring Stored(const std::wstring& entry) const;
  static std::wstring EntryName(LPCOLESTR name);

 private:
  std::wstring path_;
  std::wstring section_ = L"Default";
};
