// Doubles of the platform's message-box and platform-information services.
#pragma once
#include <string>
#include <vector>

#include "host/host_services.h"
#include "support/bstr.h"
#include "tests/doubles/test_object.h"

class RecordingMessageBox final : public TestObject<IMsgBox> {
 public:
  struct Shown {
    std::wstring text;
    bool answerWasEmpty;  // the answer VARIANT arrived as VT_EMPTY
    long style;
    long timeout;
  };
  HRESULT STDMETHODCALLTYPE Confirm(BSTR, VARIANT*) override {
    Touch();
    ++confirms;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE MsgBox(BSTR text, VARIANT* answer, long style, long timeout) override {
    Touch();
    shown.push_back({std::wstring(Bstr::View(text)), answer && answer->vt == VT_EMPTY, style, timeout});
    if (answer) {
      // The platform's answer owns memory that the caller must clear.
      answer->vt = VT_BSTR;
      answer->bstrVal = SysAllocString(L"OK");
    }
    return S_OK;
  }
  std::vector<Shown> shown;
  int confirms = 0;
};

// Hands out one record whose first member is `version` (null: a record without
// text); with `giveRecord` false it hands out no record.
class FixedPlatformInfo final : public TestObject<IPlatformInfo> {
 public:
  HRESULT STDMETHODCALLTYPE GetPlatformInfo(AppInfo** info) override {
    Touch();
    ++calls;
    *info = giveRecord ? &record : nullptr;
    return S_OK;
  }
  AppInfo record{nullptr};
  bool giveRecord = true;
  int calls = 0;
};
