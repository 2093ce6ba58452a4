// The typed element writers: what they store, and that they touch one element only.
#include <gtest/gtest.h>

#include <climits>

#include "fiscal/param_writers.h"
#include "tests/support/addin.h"

namespace {

LONG IntegerFrom(const wchar_t* text) {
  ParamArray params(1);
  params::PutParamInteger(0, params.Get(), text);
  Variant value = params.At(0);
  EXPECT_EQ(value.Type(), VT_I4) << text;
  return value.Get()->lVal;
}

TEST(PutParamInteger, ReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(IntegerFrom(L"2004"), 2004);
  EXPECT_EQ(IntegerFrom(L"12.9"), 12);
  EXPECT_EQ(IntegerFrom(L"-7.9"), -7) << "truncated toward zero";
  EXPECT_EQ(IntegerFrom(L"42 кассы"), 42);
  EXPECT_EQ(IntegerFrom(L"1e3"), 1000);
  EXPECT_EQ(IntegerFrom(L"нет"), 0);
  EXPECT_EQ(IntegerFrom(L""), 0);
  EXPECT_EQ(IntegerFrom(L"99999999999"), LONG_MAX);
  EXPECT_EQ(IntegerFrom(L"-99999999999"), LONG_MIN);
}

TEST(PutParamBool, OnlyExactlyTrueIsOne) {
  for (const wchar_t* text : {L"true", L"True", L"TRUE", L" true", L"true ", L"false", L"1", L""}) {
    ParamArray params(1);
    params::PutParamBool(0, params.Get(), text);
    Variant value = params.At(0);
    EXPECT_EQ(value.Type(), VT_BOOL) << text;
    EXPECT_EQ(value.Get()->lVal, std::wstring(text) == L"true" ? 1 : 0) << text << ": 1, not VARIANT_TRUE";
  }
}

TEST(Writers, WriteOneElementAndRefuseWhatTheyCannotWrite) {
  ParamArray params(3);
  params.Set(0, *Text(L"a").Get());
  params.Set(2, *Text(L"c").Get());
  params::PutParamInteger(1, params.Get(), L"5");
  params::PutParamBool(3, params.Get(), L"true");
  params::PutParamInteger(-1, params.Get(), L"5");
  EXPECT_EQ(TextIn(params.At(0)), L"a");
  EXPECT_EQ(params.At(1).Get()->lVal, 5);
  EXPECT_EQ(TextIn(params.At(2)), L"c");

  ParamArray numbers(1, VT_I4);
  params::PutParamBool(0, numbers.Get(), L"true");
  params::PutParamInteger(0, numbers.Get(), L"9");
  long index = 0;
  LONG stored = -1;
  SafeArrayGetElement(*numbers.Get(), &index, &stored);
  EXPECT_EQ(stored, 0);
  params::PutParamBool(0, nullptr, L"true");
  SAFEARRAY* none = nullptr;
  params::PutParamInteger(0, &none, L"1");
}

}  // namespace
