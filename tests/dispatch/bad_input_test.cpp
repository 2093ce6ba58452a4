// Parameter arrays that a faulty script or host may pass: none of them may
// crash the component, and arrays that are not vectors of VARIANT are never
// read or written.
#include "tests/dispatch/session.h"

namespace {

const long kLocal[] = {11, 16, 17, 21, 22};

// The result the platform receives from a local member: GetVersion's text, else true.
void ExpectLocalResult(long method, const Variant& result) {
  if (method == 16)
    EXPECT_EQ(TextIn(result), L"1.1");
  else
    ExpectBool(result, 1);
}

TEST(BadInput, MissingArraysAreSurvived) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    SAFEARRAY* none = nullptr;
    for (long method : kLocal) {
      ExpectLocalResult(method, session.Call(method, nullptr));
      ExpectLocalResult(method, session.Call(method, &none));
    }
    EXPECT_EQ(none, nullptr);
    ExpectBool(session.Call(14, nullptr), withDriver ? 1 : 0);
    EXPECT_EQ(session.addin->CallAsProc(2, nullptr), S_OK);
    EXPECT_EQ(session.addin->CallAsProc(2, &none), S_OK);
  }
}

TEST(BadInput, ArraysOfOtherElementTypesAreNeitherReadNorWritten) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    ParamArray numbers(7, VT_I4);
    for (long i = 0; i < 7; ++i) {
      LONG value = 100 + i;
      SafeArrayPutElement(*numbers.Get(), &i, &value);
    }
    ParamArray texts(7, VT_BSTR);
    for (long i = 0; i < 7; ++i) {
      Bstr text(L"keep");
      SafeArrayPutElement(*texts.Get(), &i, text.Get());
    }
    for (long method : kLocal) {
      ExpectLocalResult(method, session.Call(method, numbers));
      ExpectLocalResult(method, session.Call(method, texts));
    }
    for (long i = 0; i < 7; ++i) {
      LONG value = 0;
      SafeArrayGetElement(*numbers.Get(), &i, &value);
      EXPECT_EQ(value, 100 + i);
      Bstr text;
      SafeArrayGetElement(*texts.Get(), &i, text.Put());
      EXPECT_EQ(text.View(), L"keep");
    }
  }
}

TEST(BadInput, TwoDimensionalArraysAreNotWritten) {
  Session session(true);
  SAFEARRAYBOUND bounds[2] = {{2, 0}, {7, 0}};
  SAFEARRAY* grid = SafeArrayCreate(VT_VARIANT, 2, bounds);
  ASSERT_NE(grid, nullptr);
  for (long method : kLocal) ExpectLocalResult(method, session.Call(method, &grid));
  long at[2] = {0, 0};
  Variant first;
  SafeArrayGetElement(grid, at, first.Get());
  EXPECT_EQ(first.Type(), VT_EMPTY);
  SafeArrayDestroy(grid);
}

TEST(BadInput, ShortArraysGetTheElementsThatExist) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    ParamArray three(3);
    ExpectBool(session.Call(17, three), 1);
    EXPECT_EQ(TextIn(three.At(0)), L"KOLNA HTTP Driver");
    EXPECT_EQ(TextIn(three.At(2)), L"ККТ");

    ParamArray one(1);
    session.driver.Then(Reply().Element(0, Text(L"T")));
    ExpectBool(session.Call(11, one), 1);
    EXPECT_EQ(TextIn(one.At(0)), withDriver ? kVersionText + kInstalledText + L"T" : kVersionText);

    ParamArray empty(0);
    for (long method : kLocal) ExpectLocalResult(method, session.Call(method, empty));
  }
}

TEST(BadInput, NonVariantArrayInDeviceTestMergeIsLeftAlone) {
  Session session(true);
  ParamArray texts(2, VT_BSTR);
  ExpectBool(session.Call(11, texts), 1);
  ASSERT_EQ(session.driver.calls.size(), 1u);
  EXPECT_EQ(session.driver.calls[0].parameters, texts.Get()) << "the driver still sees the platform's array";
  long index = 0;
  Bstr text;
  SafeArrayGetElement(*texts.Get(), &index, text.Put());
  EXPECT_EQ(text.Get(), nullptr);
}

}  // namespace
