// Which numbers CallAsFunc hands to the main driver, how they arrive there,
// and what the platform receives back; CallAsProc never forwards.
#include <climits>

#include "tests/dispatch/session.h"

namespace {

// Every number that is not one of the five local fiscal members.
const long kForwarded[] = {
    7, 8, 9, 10, 12, 13, 14, 15, 18, 19, 20, 23, 24, 25, 26, 27, 28, 29,  // fiscal members
    30, 31, 32, 33, 100, LONG_MAX,                                       // beyond the named members
    -1, LONG_MIN,                                                        // negative
    0, 1, 2, 3, 4, 5, 6,                                                 // procedures, called as functions
};
const long kLocal[] = {16, 17, 21, 22};

void FillSample(ParamArray& params) {
  params.Set(0, *Text(L"first").Get());
  params.Set(1, *Number(5).Get());
}

void ExpectSampleUntouched(ParamArray& params) {
  EXPECT_EQ(TextIn(params.At(0)), L"first");
  EXPECT_EQ(params.At(1).Get()->lVal, 5);
  EXPECT_EQ(params.At(2).Type(), VT_EMPTY);
}

TEST(Forwarding, EveryOtherNumberReachesTheDriverUnchanged) {
  Session session(true);
  for (long method : kForwarded) {
    ParamArray params(3);
    FillSample(params);
    Variant result;
    ASSERT_EQ(session.addin->CallAsFunc(method, result.Get(), params.Get()), S_OK);
    ASSERT_FALSE(session.driver.calls.empty());
    const auto& call = session.driver.calls.back();
    EXPECT_EQ(call.method, method);
    EXPECT_EQ(call.returnValue, result.Get()) << "the platform's own return value";
    EXPECT_EQ(call.parameters, params.Get()) << "the platform's own parameter array";
    EXPECT_EQ(call.array, *params.Get());
    EXPECT_EQ(call.texts, (std::vector<std::wstring>{L"first", L"<vt 3>", L"<vt 0>"}));
    EXPECT_EQ(call.returnType, VT_BOOL) << "prepared before forwarding";
    EXPECT_EQ(call.returnLong, 1);
    ExpectBool(result, 1);  // the driver left it untouched
  }
  EXPECT_EQ(session.driver.calls.size(), std::size(kForwarded));
  EXPECT_EQ(session.driver.unexpectedCalls, 0);
}

TEST(Forwarding, LocalNumbersNeverReachTheDriver) {
  Session session(true);
  for (long method : kLocal) {
    ParamArray params(7);
    session.Call(method, params);
  }
  EXPECT_TRUE(session.driver.calls.empty());
  ParamArray params(2);
  session.Call(11, params);
  ASSERT_EQ(session.driver.calls.size(), 1u) << "the device test asks the driver too";
  EXPECT_EQ(session.driver.calls[0].method, 11);
}

TEST(Forwarding, WithoutDriverEveryForwardedMemberIsFalseAndTouchesNothing) {
  Session session(false);
  for (long method : kForwarded) {
    ParamArray params(3);
    FillSample(params);
    ExpectBool(session.Call(method, params), 0);
    ExpectSampleUntouched(params);
  }
  EXPECT_TRUE(session.driver.calls.empty());
}

TEST(Forwarding, DriverAnswersReachThePlatform) {
  Session session(true);
  session.driver.Then(Reply().ReturnText(L"Ошибка 7").Element(0, Text(L"out")).Element(2, Number(99)));
  ParamArray params(3);
  FillSample(params);
  Variant result = session.Call(18, params);
  EXPECT_EQ(TextIn(result), L"Ошибка 7");
  EXPECT_EQ(TextIn(params.At(0)), L"out");
  EXPECT_EQ(params.At(1).Get()->lVal, 5);
  EXPECT_EQ(params.At(2).Get()->lVal, 99);
}

TEST(Forwarding, DriverFailureWithoutAnswerStillGivesTrue) {
  Session session(true);
  for (HRESULT failure : {E_FAIL, S_FALSE, static_cast<HRESULT>(0xDEADBEEF), E_NOTIMPL}) {
    session.driver.Then(Reply().Fail(failure));
    ParamArray params(3);
    FillSample(params);
    ExpectBool(session.Call(14, params), 1);
    ExpectSampleUntouched(params);
  }
  session.driver.Then(Reply().Fail(E_FAIL).ReturnText(L"why"));
  ParamArray params(1);
  EXPECT_EQ(TextIn(session.Call(18, params)), L"why") << "a failing driver's return value is passed on";
}

TEST(Forwarding, ThrowingDriverCountsAsReturned) {
  Session session(true);
  session.driver.Then(Reply().ReturnText(L"partial").Element(0, Text(L"written")).Throw());
  ParamArray params(3);
  FillSample(params);
  EXPECT_EQ(TextIn(session.Call(14, params)), L"partial");
  EXPECT_EQ(TextIn(params.At(0)), L"written");
  session.driver.Then(Reply().Throw());
  ExpectBool(session.Call(25, params), 1);
  ExpectBool(session.Call(25, params), 1);  // the component keeps working
  EXPECT_EQ(session.driver.calls.size(), 3u);
}

TEST(Forwarding, NullReturnValueIsNeverWrittenButTheCallRuns) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    session.driver.Then(Reply().ReturnText(L"dropped").Element(0, Text(L"out")));
    ParamArray params(7);
    EXPECT_EQ(session.addin->CallAsFunc(14, nullptr, params.Get()), S_OK);
    if (withDriver) {
      ASSERT_EQ(session.driver.calls.size(), 1u);
      EXPECT_NE(session.driver.calls[0].returnValue, nullptr) << "the driver gets a value it can write";
      EXPECT_EQ(TextIn(params.At(0)), L"out");
    }
    for (long method : {11L, 16L, 17L, 21L, 22L})
      EXPECT_EQ(session.addin->CallAsFunc(method, nullptr, params.Get()), S_OK);
    EXPECT_EQ(TextIn(params.At(2)), L"ККТ") << "local answers still fill the parameters";
  }
}

TEST(Procedures, OnlyZeroToSixRunAndNoneIsForwarded) {
  Session session(true);
  for (long method : {7L, 11L, 16L, 29L, 30L, 31L, 32L, 100L, -1L, LONG_MIN, LONG_MAX}) {
    ParamArray params(3);
    FillSample(params);
    EXPECT_EQ(session.addin->CallAsProc(method, params.Get()), S_FALSE) << method;
    ExpectSampleUntouched(params);
  }
  for (long method = 0; method <= 6; ++method) {
    ParamArray params(1);
    params.Set(0, *Text(L"text").Get());
    EXPECT_EQ(session.addin->CallAsProc(method, params.Get()), S_OK) << method;
  }
  EXPECT_EQ(session.addin->CallAsProc(4, nullptr), S_OK) << "stop whatever was started";
  EXPECT_TRUE(session.driver.calls.empty());
}

}  // namespace
