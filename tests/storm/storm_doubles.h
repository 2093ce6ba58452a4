// The platform's side of a storm run: doubles that count what happens to them
// and keep nothing else, so that a million calls do not grow the process.
// Every double derives from TestObject: the storm checks after each run that
// the component gave back every reference it took, and made no late call.
#pragma once
#include <atomic>
#include <cstdint>
#include <cwchar>

#include "host/connection_object.h"
#include "host/host_services.h"
#include "support/bstr.h"
#include "tests/doubles/main_driver.h"
#include "tests/doubles/test_object.h"

class CountingStatusLine final : public TestObject<IStatusLine> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR) override {
    Touch();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetStatusLine() override {
    Touch();
    return S_OK;
  }
};

class CountingErrorLog final : public TestObject<IErrorLog> {
 public:
  HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR, EXCEPINFO* info) override {
    Touch();
    if (!info) ++malformed;
    return S_OK;
  }
  long malformed = 0;  // entries without their EXCEPINFO
};

class CountingProfile final : public TestObject<IPropertyProfile> {
 public:
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR, VARIANT* value, IErrorLog*) override {
    Touch();
    if (!stored_) return E_INVALIDARG;
    value->vt = VT_I4;
    value->lVal = entry_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT* value) override {
    Touch();
    if (value && value->vt == VT_I4) {
      entry_ = value->lVal;
      stored_ = true;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR) override {
    Touch();
    return S_OK;
  }

 private:
  bool stored_ = false;
  LONG entry_ = 0;
};

// Receives the timer's events on the timer's thread. `closed` is set once the
// component's Done has returned: an event after that is a fault.
class CountingAsyncEvent final : public TestObject<IAsyncEvent> {
 public:
  HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long* depth) override {
    if (depth) *depth = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR source, BSTR message, BSTR data) override {
    Touch();
    ++events;
    if (closed) ++eventsAfterDone;
    if (Bstr::View(source) != L"ComponentCOM" || Bstr::View(message) != L"Timer" || !Digits(Bstr::View(data)))
      ++malformedEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CleanBuffer() override { return S_OK; }

  std::atomic<bool> closed{false};
  std::atomic<long> events{0};
  std::atomic<long> eventsAfterDone{0};
  std::atomic<long> malformedEvents{0};

 private:
  static bool Digits(std::wstring_view text) {
    if (text.empty()) return false;
    for (wchar_t c : text)
      if (c < L'0' || c > L'9') return false;
    return true;
  }
};

class CountingMsgBox final : public TestObject<IMsgBox> {
 public:
  HRESULT STDMETHODCALLTYPE Confirm(BSTR, VARIANT*) override {
    Touch();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE MsgBox(BSTR, VARIANT* answer, long, long) override {
    Touch();
    if (answer) {
      answer->vt = VT_I4;
      answer->lVal = 1;
    }
    return S_OK;
  }
};

// Hands out a record with a text, or no record at all.
class FixedPlatformInfo final : public TestObject<IPlatformInfo> {
 public:
  HRESULT STDMETHODCALLTYPE GetPlatformInfo(AppInfo** info) override {
    Touch();
    if (info) *info = withRecord ? &record_ : nullptr;
    return S_OK;
  }
  bool withRecord = true;

 private:
  AppInfo record_{L"8.3.24.1000"};
};

// An object placed into parameter elements as VT_DISPATCH or VT_UNKNOWN.
class ElementObject final : public NoDispatch<TestObject<IDispatch>> {
 public:
};

// The main driver: answers each call in one of the ways a driver may, chosen
// by the call's own sequence, and records nothing.
class StormMainDriver final : public MainDriverDouble {
 public:
  HRESULT STDMETHODCALLTYPE CallAsFunc(long, VARIANT* pvarRetValue, SAFEARRAY** paParams) override;
  long forwarded = 0;
};

// The connection: offers the services chosen for the run, nothing else.
class StormConnection final : public NoDispatch<TestObject<IDispatch>> {
 public:
  void Offer(REFIID iid, IUnknown* service) { services_[count_++] = {iid, service}; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    for (int i = 0; i < count_; ++i) {
      if (riid != services_[i].iid) continue;
      if (!ppv) return E_POINTER;
      services_[i].service->AddRef();
      *ppv = services_[i].service;
      return S_OK;
    }
    return NoDispatch::QueryInterface(riid, ppv);
  }

 private:
  struct Service {
    IID iid;
    IUnknown* service;
  };
  Service services_[8] = {};
  int count_ = 0;
};
