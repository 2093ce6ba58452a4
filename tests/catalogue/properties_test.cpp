// The two properties: IsEnabled (readable, writable) and IsTimerPresent (read-only, always 1).
#include <gtest/gtest.h>

#include <climits>

#include "tests/support/addin.h"

namespace {

class Properties : public testing::Test {
 protected:
  long Find(const std::wstring& name, HRESULT* hr = nullptr) {
    Bstr text(name);
    long number = 12345;
    const HRESULT result = addin->FindProp(text.Get(), &number);
    if (hr) *hr = result;
    return number;
  }
  std::wstring Name(long number, long alias, HRESULT* hr = nullptr) {
    Bstr name;
    const HRESULT result = addin->GetPropName(number, alias, name.Put());
    if (hr) *hr = result;
    EXPECT_NE(name.Get(), nullptr);
    return std::wstring(name.View());
  }
  Variant Value(long number, HRESULT* hr = nullptr) {
    Variant value;
    const HRESULT result = addin->GetPropVal(number, value.Get());
    if (hr) *hr = result;
    return value;
  }

  ComPtr<ILanguageExtender> addin = NewAddIn();
};

TEST_F(Properties, CountNamesAndLookup) {
  long count = 0;
  EXPECT_EQ(addin->GetNProps(&count), S_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Name(0, 0), L"IsEnabled");
  EXPECT_EQ(Name(1, 0), L"IsTimerPresent");
  for (long number : {0L, 1L}) {
    const std::wstring russian = Name(number, 1);
    ASSERT_FALSE(russian.empty());
    EXPECT_EQ(Find(Name(number, 0)), number);
    EXPECT_EQ(Find(russian), number);
  }
  HRESULT hr;
  EXPECT_EQ(Name(0, 2, &hr), L"");
  EXPECT_EQ(hr, S_OK);
  for (long number : {2L, -1L, LONG_MIN, LONG_MAX}) {
    EXPECT_EQ(Name(number, 0, &hr), L"");
    EXPECT_EQ(hr, S_FALSE);
  }
}

TEST_F(Properties, LookupIsExactAndSeparateFromMethods) {
  HRESULT hr;
  EXPECT_EQ(Find(L"isenabled", &hr), -1);
  EXPECT_EQ(hr, S_FALSE);
  EXPECT_EQ(Find(L"ISENABLED"), -1);
  EXPECT_EQ(Find(L"Enable"), -1);
  EXPECT_EQ(Find(L""), -1);
  EXPECT_EQ(Find(std::wstring(L"IsEnabled\0", 10)), -1);
  long number = 3;
  EXPECT_EQ(addin->FindProp(nullptr, &number), S_FALSE);
  EXPECT_EQ(number, -1);
}

TEST_F(Properties, IsEnabledFollowsSetPropVal) {
  Variant five = Variant::Long(5);
  ASSERT_EQ(addin->SetPropVal(0, five.Get()), S_OK);
  EXPECT_EQ(Value(0).Type(), VT_I4);
  EXPECT_EQ(Value(0).Get()->lVal, 1);
  Variant zero = Variant::Long(0);
  ASSERT_EQ(addin->SetPropVal(0, zero.Get()), S_OK);
  EXPECT_EQ(Value(0).Get()->lVal, 0);

  Variant flag;
  flag.Get()->vt = VT_BOOL;
  flag.Get()->boolVal = VARIANT_TRUE;
  EXPECT_EQ(addin->SetPropVal(0, flag.Get()), S_FALSE) << "no conversion is tried";
  Variant text = Text(L"1");
  EXPECT_EQ(addin->SetPropVal(0, text.Get()), S_FALSE);
  EXPECT_EQ(Value(0).Get()->lVal, 0);
  EXPECT_EQ(addin->SetPropVal(0, nullptr), E_POINTER);
}

TEST_F(Properties, IsTimerPresentIsAlwaysOneAndReadOnly) {
  Variant zero = Variant::Long(0);
  EXPECT_EQ(addin->SetPropVal(1, zero.Get()), S_FALSE);
  EXPECT_EQ(Value(1).Type(), VT_I4);
  EXPECT_EQ(Value(1).Get()->lVal, 1);
}

TEST_F(Properties, ReadableAndWritableFlags) {
  long flag = 77;
  EXPECT_EQ(addin->IsPropReadable(0, &flag), S_OK);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(addin->IsPropReadable(1, &flag), S_OK);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(addin->IsPropWritable(0, &flag), S_OK);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(addin->IsPropWritable(1, &flag), S_OK);
  EXPECT_EQ(flag, 0);
}

TEST_F(Properties, NumbersOutsideTheTwo) {
  for (long number : {2L, -1L, LONG_MIN, LONG_MIN + 1, LONG_MAX}) {
    SCOPED_TRACE(number);
    long flag = 77;
    EXPECT_EQ(addin->IsPropReadable(number, &flag), S_FALSE);
    EXPECT_EQ(addin->IsPropWritable(number, &flag), S_FALSE);
    EXPECT_EQ(flag, 77) << "output untouched";
    HRESULT hr;
    EXPECT_EQ(Value(number, &hr).Type(), VT_EMPTY);
    EXPECT_EQ(hr, S_FALSE);
    Variant one = Variant::Long(1);
    EXPECT_EQ(addin->SetPropVal(number, one.Get()), S_FALSE);
  }
}

TEST_F(Properties, NullOutputPointersAreRefused) {
  Bstr name(L"IsEnabled");
  EXPECT_EQ(addin->GetNProps(nullptr), E_POINTER);
  EXPECT_EQ(addin->FindProp(name.Get(), nullptr), E_POINTER);
  EXPECT_EQ(addin->GetPropName(0, 0, nullptr), E_POINTER);
  EXPECT_EQ(addin->GetPropVal(0, nullptr), E_POINTER);
  EXPECT_EQ(addin->IsPropReadable(0, nullptr), E_POINTER);
  EXPECT_EQ(addin->IsPropWritable(0, nullptr), E_POINTER);
}

}  // namespace
