// ShowInStatusLine: the status line with its wait, and the error log when the
// platform offers no status line.
#include <gtest/gtest.h>

#include <chrono>

#include "addin/catalogue_table.h"
#include "addin/demos.h"
#include "support/module_resources.h"
#include "tests/demos/demo_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Runs ShowInStatusLine with `element` as parameter 0 and returns what the status line got.
std::wstring ShownFor(const VARIANT& element) {
  DemoPlatform platform;
  platform.connection.Offer<IStatusLine>(platform.statusLine.As<IStatusLine>());
  DemoComponent addin(platform);
  ParamArray params(1);
  params.Set(0, element);
  const size_t before = platform.statusLine.texts.size();
  EXPECT_EQ(addin.Run(kShowInStatusLine, params.Get()), S_OK);
  EXPECT_EQ(platform.statusLine.texts.size(), before + 1);
  return platform.statusLine.texts.empty() ? L"<none>" : platform.statusLine.texts.back();
}

class StatusLine : public testing::Test {
 protected:
  void SetUp() override { SetStatusLineWaitForTests(0); }
  void TearDown() override { SetStatusLineWaitForTests(5000); }
};

TEST_F(StatusLine, ShowsTheTextAndHoldsTheCallerFiveSeconds) {
  SetStatusLineWaitForTests(5000);
  DemoPlatform platform;
  platform.OfferAll();
  DemoComponent addin(platform);
  ParamArray params(1);
  params.Set(0, *Text(L"Касса открыта").Get());
  const auto start = Clock::now();
  ASSERT_EQ(addin.Run(kShowInStatusLine, params.Get()), S_OK);
  const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  EXPECT_GE(waited.count(), 4500);
  EXPECT_LT(waited.count(), 15000);
  ASSERT_FALSE(platform.statusLine.texts.empty());
  EXPECT_EQ(platform.statusLine.texts.back(), L"Касса открыта");
  EXPECT_EQ(platform.statusLine.resets, 0) << "the text stays";
  EXPECT_TRUE(platform.errorLog.errors.empty());
  EXPECT_EQ(TextIn(params.At(0)), L"Касса открыта") << "the parameter is only read";
  addin.Done();
  platform.ExpectBalanced();
}

// Where no conversion to text exists (null, null string, an object), the text is empty.
TEST_F(StatusLine, ShowsOtherElementsAsTheirText) {
  RecordingStatusLine object;
  object.AddRef();  // owned by the VARIANT below
  VARIANT elements[6] = {};
  elements[0].vt = VT_I4;
  elements[0].lVal = 42;
  elements[1].vt = VT_R8;
  elements[1].dblVal = 2.5;
  elements[2].vt = VT_EMPTY;
  elements[3].vt = VT_NULL;
  elements[4].vt = VT_BSTR;
  elements[4].bstrVal = nullptr;
  elements[5].vt = VT_UNKNOWN;
  elements[5].punkVal = object.As<IUnknown>();
  const wchar_t* expected[6] = {L"42", L"2.5", L"", L"", L"", L""};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ShownFor(elements[i]), expected[i]) << "element type " << elements[i].vt;
  VariantClear(&elements[5]);
  EXPECT_EQ(object.RefCount(), 0);
}

TEST_F(StatusLine, ShowsEmptyTextWithoutParameters) {
  DemoPlatform platform;
  platform.connection.Offer<IStatusLine>(platform.statusLine.As<IStatusLine>());
  DemoComponent addin(platform);
  EXPECT_EQ(addin.Run(kShowInStatusLine, nullptr), S_OK);
  ParamArray none(0);
  EXPECT_EQ(addin.Run(kShowInStatusLine, none.Get()), S_OK);
  ASSERT_GE(platform.statusLine.texts.size(), 2u);
  EXPECT_EQ(platform.statusLine.texts.back(), L"");
}

TEST_F(StatusLine, WithoutStatusLineLogsOneErrorAtOnce) {
  SetStatusLineWaitForTests(5000);
  DemoPlatform platform;
  platform.connection.Offer<IErrorLog>(platform.errorLog.As<IErrorLog>());
  DemoComponent addin(platform);
  ParamArray params(1);
  params.Set(0, *Text(L"unused").Get());
  const auto start = Clock::now();
  ASSERT_EQ(addin.Run(kShowInStatusLine, params.Get()), S_OK);
  EXPECT_LT(std::chrono::duration_cast<milliseconds>(Clock::now() - start).count(), 2500) << "no wait";
  ASSERT_EQ(platform.errorLog.errors.size(), 1u);
  const LoggedError& error = platform.errorLog.errors[0];
  EXPECT_EQ(error.property, L"");
  EXPECT_EQ(error.code, 1004);
  EXPECT_EQ(error.scode, 0);
  EXPECT_EQ(error.source, LoadResourceString(catalogue::kStatusLineMissingSourceId));
  EXPECT_EQ(error.description, LoadResourceString(catalogue::kStatusLineMissingDescriptionId));
  EXPECT_EQ(error.source, catalogue::kMessages[1].text);
  EXPECT_NE(error.description.find(L"IStatusLine"), std::wstring::npos);
  addin.Done();
  platform.ExpectBalanced();
}

}  // namespace
