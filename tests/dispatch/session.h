// A component initialised on a bare connection, with or without the
// main-driver double installed, and ways to call its members.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/doubles/connection.h"
#include "tests/doubles/main_driver.h"
#include "tests/support/addin.h"

class Session {
 public:
  explicit Session(bool withDriver) {
    if (withDriver) installed_.emplace(driver);
    EXPECT_EQ(AsIf<IInitDone>(addin)->Init(connection.As<IDispatch>()), S_OK);
  }
  ~Session() { AsIf<IInitDone>(addin)->Done(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // CallAsFunc, which must answer S_OK; the return value as the platform receives it.
  Variant Call(long method, SAFEARRAY** params) {
    Variant result;
    EXPECT_EQ(addin->CallAsFunc(method, result.Get(), params), S_OK) << "method " << method;
    return result;
  }
  Variant Call(long method, ParamArray& params) { return Call(method, params.Get()); }

  MainDriverDouble driver;
  FakeConnection connection;
  ComPtr<ILanguageExtender> addin = NewAddIn();

 private:
  std::optional<InstalledMainDriver> installed_;
};

// A VT_BOOL result as the component produces it: true is 1, false is 0.
inline void ExpectBool(const Variant& result, LONG value) {
  EXPECT_EQ(result.Type(), VT_BOOL);
  EXPECT_EQ(result.Get()->lVal, value) << "the whole 32-bit value member";
}

inline Variant Number(LONG value) { return Variant::Long(value); }

// A value of a type without content: VT_EMPTY or VT_NULL.
inline Variant Typed(VARTYPE type) {
  Variant value;
  value.Get()->vt = type;
  return value;
}

inline Variant NullText() {
  Variant value;
  value.Get()->vt = VT_BSTR;
  value.Get()->bstrVal = nullptr;
  return value;
}

// The fiscal texts, for comparison.
inline const std::wstring kVersionText = L" Версия интеграционной DLL 23082019";
inline const std::wstring kInstalledText = L" Основная поставка драйвера установлена ";
