// The five fiscal members the component answers itself, through CallAsFunc,
// with and without a main driver, and the device-test merge.
#include "tests/dispatch/session.h"

namespace {

const std::wstring kDescription =
    L"Драйвер работает с кассамми БРИВЕКС по HTTP протоколу КОЛНА (интеграционная библиотека)";

void ExpectDescription(ParamArray& params, LONG driverInstalled) {
  EXPECT_EQ(TextIn(params.At(0)), L"KOLNA HTTP Driver");
  EXPECT_EQ(TextIn(params.At(1)), kDescription);
  EXPECT_EQ(TextIn(params.At(2)), L"ККТ");
  Variant revision = params.At(3);
  EXPECT_EQ(revision.Type(), VT_I4);
  EXPECT_EQ(revision.Get()->lVal, 2004);
  ExpectBool(params.At(4), 1);
  ExpectBool(params.At(5), driverInstalled);
  Variant url = params.At(6);
  ASSERT_EQ(url.Type(), VT_BSTR);
  EXPECT_NE(url.Get()->bstrVal, nullptr);
  EXPECT_EQ(SysStringLen(url.Get()->bstrVal), 0u);
}

TEST(GetDescription, SevenTypedElementsFollowTheDriver) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    ParamArray params(7);
    for (long i = 0; i < 7; ++i) params.Set(i, *Text(L"old").Get());
    ExpectBool(session.Call(17, params), 1);
    ExpectDescription(params, withDriver ? 1 : 0);
    ExpectBool(session.Call(17, params), 1);
    ExpectDescription(params, withDriver ? 1 : 0);
  }
}

TEST(GetVersion, ReturnsTextAndLeavesParametersAlone) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    ParamArray params(1);
    params.Set(0, *Text(L"keep").Get());
    EXPECT_EQ(TextIn(session.Call(16, params)), L"1.1");
    EXPECT_EQ(TextIn(params.At(0)), L"keep");
    SAFEARRAY* none = nullptr;
    EXPECT_EQ(TextIn(session.Call(16, &none)), L"1.1") << "no parameters are needed";
  }
}

TEST(AdditionalActions, NoneOfferedAndAnyAccepted) {
  for (bool withDriver : {true, false}) {
    Session session(withDriver);
    ParamArray list(1);
    list.Set(0, *Number(3).Get());
    ExpectBool(session.Call(21, list), 1);
    Variant actions = list.At(0);
    ASSERT_EQ(actions.Type(), VT_BSTR);
    EXPECT_EQ(SysStringLen(actions.Get()->bstrVal), 0u);
    for (const wchar_t* name : {L"", L"Перезагрузка", L"no such action"}) {
      ParamArray action(1);
      action.Set(0, *Text(name).Get());
      ExpectBool(session.Call(22, action), 1);
      EXPECT_EQ(TextIn(action.At(0)), name);
    }
    EXPECT_TRUE(session.driver.calls.empty());
  }
}

void ExpectEmptyText(const Variant& value) {
  ASSERT_EQ(value.Type(), VT_BSTR);
  EXPECT_NE(value.Get()->bstrVal, nullptr);
  EXPECT_EQ(SysStringLen(value.Get()->bstrVal), 0u);
}

TEST(DeviceTest, WithoutDriverGivesTheVersionTextAlone) {
  Session session(false);
  ParamArray params(2);
  params.Set(0, *Text(L"old").Get());
  params.Set(1, *Text(L"old").Get());
  ExpectBool(session.Call(11, params), 1);
  EXPECT_EQ(TextIn(params.At(0)), kVersionText);
  EXPECT_EQ(kVersionText.size(), 35u);
  ExpectEmptyText(params.At(1));
}

TEST(DeviceTest, LocalTextIsFollowedByTheDriversAnswer) {
  Session session(true);
  session.driver.Then(Reply().ReturnText(L"driver result").Element(0, Text(L"Касса на связи")).Element(1, Text(L"x")));
  ParamArray params(2);
  Variant result = session.Call(11, params);
  EXPECT_EQ(TextIn(params.At(0)), kVersionText + kInstalledText + L"Касса на связи");
  ExpectEmptyText(params.At(1));
  EXPECT_EQ(TextIn(result), L"driver result") << "the return value is the driver's";
  ASSERT_EQ(session.driver.calls.size(), 1u);
  EXPECT_EQ(session.driver.calls[0].texts, (std::vector<std::wstring>{L"<vt 0>", L"<vt 0>"}))
      << "the driver answers first, on the platform's elements";
}

TEST(DeviceTest, DriverThatAnswersNothingLeavesTheLocalText) {
  Session session(true);
  ParamArray params(2);
  ExpectBool(session.Call(11, params), 1);
  EXPECT_EQ(TextIn(params.At(0)), kVersionText + kInstalledText);
  EXPECT_EQ((kVersionText + kInstalledText).size(), 75u);
  ExpectEmptyText(params.At(1));
}

TEST(DeviceTest, DriverElementOfAnotherTypeIsReadAsText) {
  struct Case {
    const char* name;
    Variant (*value)();
    std::wstring joined;
  };
  const Case cases[] = {
      {"number", [] { return Number(42); }, L"42"},
      {"null BSTR", NullText, L""},
      {"VT_EMPTY", [] { return Typed(VT_EMPTY); }, L""},
      {"VT_NULL", [] { return Typed(VT_NULL); }, L""},
  };
  for (const Case& c : cases) {
    Session session(true);
    session.driver.Then(Reply().Element(0, c.value()).Element(1, Number(7)));
    ParamArray params(2);
    ExpectBool(session.Call(11, params), 1);
    EXPECT_EQ(TextIn(params.At(0)), kVersionText + kInstalledText + c.joined) << c.name;
    ExpectEmptyText(params.At(1));
  }
}

TEST(DeviceTest, FailingOrThrowingDriverStillGetsTheLocalAnswer) {
  Session session(true);
  session.driver.Then(Reply().Fail(E_FAIL).Element(0, Text(L"!")));
  session.driver.Then(Reply().Element(0, Text(L"?")).Throw());
  for (const wchar_t* tail : {L"!", L"?"}) {
    ParamArray params(2);
    ExpectBool(session.Call(11, params), 1);
    EXPECT_EQ(TextIn(params.At(0)), kVersionText + kInstalledText + tail);
  }
}

}  // namespace
