// Doubles of the platform's status line, error log and property profile.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "host/host_services.h"
#include "support/bstr.h"
#include "tests/doubles/test_object.h"

class RecordingStatusLine final : public TestObject<IStatusLine> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR text) override {
    Touch();
    texts.emplace_back(Bstr::View(text));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetStatusLine() override {
    Touch();
    ++resets;
    return S_OK;
  }
  std::vector<std::wstring> texts;
  int resets = 0;
};

struct LoggedError {
  std::wstring property;
  WORD code;
  std::wstring source;
  std::wstring description;
  SCODE scode;
};

class RecordingErrorLog final : public TestObject<IErrorLog> {
 public:
  HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR property, EXCEPINFO* info) override {
    Touch();
    errors.push_back({property ? property : L"<null>", info->wCode, std::wstring(Bstr::View(info->bstrSource)),
                      std::wstring(Bstr::View(info->bstrDescription)), info->scode});
    return S_OK;
  }
  std::vector<LoggedError> errors;
};

// Keeps values in memory. As on the platform, a name with a ":<digits>" suffix
// reaches the same entry as the name without it.
class MemoryProfile final : public TestObject<IPropertyProfile> {
 public:
  static std::wstring EntryName(LPCOLESTR name) {
    std::wstring entry = name ? name : L"";
    const size_t colon = entry.rfind(L':');
    if (colon != std::wstring::npos && colon + 1 < entry.size() &&
        entry.find_first_not_of(L"0123456789", colon + 1) == std::wstring::npos)
      entry.erase(colon);
    return entry;
  }

  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    Touch();
    reads.push_back(name ? name : L"<null>");
    if (failReads) return E_FAIL;
    const auto found = entries.find(EntryName(name));
    if (found == entries.end()) return E_INVALIDARG;
    value->vt = VT_I4;
    value->lVal = found->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
    Touch();
    writes.push_back({name ? name : L"<null>", value->vt});
    if (value->vt == VT_I4) entries[EntryName(name)] = value->lVal;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR profileName) override {
    Touch();
    registeredAs.emplace_back(Bstr::View(profileName));
    return S_OK;
  }

  struct WriteCall {
    std::wstring name;
    VARTYPE type;
  };
  std::map<std::wstring, LONG> entries;
  bool failReads = false;
  std::vector<std::wstring> reads;
  std::vector<WriteCall> writes;
  std::vector<std::wstring> registeredAs;
};
