// The enabled flag, OpenForm and the platform's message box.
#include <gtest/gtest.h>

#include "tests/demos/demo_platform.h"

namespace {

TEST(EnabledFlag, LastOfEnableAndDisableWins) {
  DemoPlatform platform;
  DemoComponent addin(platform);
  for (DemoProcedure procedure : {kDisable, kDisable, kEnable, kEnable, kDisable, kEnable}) {
    ASSERT_EQ(addin.Run(procedure), S_OK);
    EXPECT_EQ(addin.Enabled(), procedure == kEnable ? 1 : 0);
  }
}

TEST(OpenForm, ChangesNothingAndCallsNoService) {
  DemoPlatform platform;
  platform.OfferAll();
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kDisable), S_OK);
  const size_t queried = platform.connection.Queried().size();
  EXPECT_EQ(addin.Run(kOpenForm), S_OK);
  EXPECT_EQ(addin.Enabled(), 0);
  EXPECT_EQ(platform.connection.Queried().size(), queried);
  EXPECT_TRUE(platform.statusLine.texts.empty());
  EXPECT_TRUE(platform.messageBox.shown.empty());
  EXPECT_EQ(platform.events.Count(), 0u);
}

TEST(PlatformMessageBox, ShowsThePlatformsTextWithArguments10And0) {
  DemoPlatform platform;
  platform.OfferAll();
  platform.platformInfo.record.AppVersion = L"8.3.22.1704 Платформа";
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kShowMessageBox), S_OK);
  ASSERT_EQ(platform.messageBox.shown.size(), 1u);
  const auto& shown = platform.messageBox.shown[0];
  EXPECT_EQ(shown.text, L"8.3.22.1704 Платформа");
  EXPECT_TRUE(shown.answerWasEmpty);
  EXPECT_EQ(shown.style, 10);
  EXPECT_EQ(shown.timeout, 0);
  EXPECT_EQ(platform.messageBox.confirms, 0);
  // Both services were asked for on the spot, message box first, and given back.
  const auto queried = platform.connection.Queried();
  ASSERT_GE(queried.size(), 2u);
  EXPECT_EQ(queried[queried.size() - 2], __uuidof(IMsgBox));
  EXPECT_EQ(queried.back(), __uuidof(IPlatformInfo));
  EXPECT_EQ(platform.messageBox.RefCount(), 0);
  EXPECT_EQ(platform.platformInfo.RefCount(), 0);
  addin.Done();
  platform.ExpectBalanced();
}

TEST(PlatformMessageBox, DefaultTextWithoutPlatformText) {
  struct Case {
    const char* what;
    bool offerInfo;
    bool giveRecord;
    const wchar_t* version;
    const wchar_t* expected;
  };
  for (const Case& c : {Case{"no platform-information service", false, false, nullptr, L"Simple message!"},
                        Case{"no record", true, false, nullptr, L"Simple message!"},
                        Case{"a record without text", true, true, nullptr, L""}}) {
    SCOPED_TRACE(c.what);
    DemoPlatform platform;
    platform.connection.Offer<IMsgBox>(platform.messageBox.As<IMsgBox>());
    if (c.offerInfo) platform.connection.Offer<IPlatformInfo>(platform.platformInfo.As<IPlatformInfo>());
    platform.platformInfo.giveRecord = c.giveRecord;
    platform.platformInfo.record.AppVersion = c.version;
    DemoComponent addin(platform);
    ASSERT_EQ(addin.Run(kShowMessageBox), S_OK);
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].text, c.expected);
    EXPECT_EQ(platform.messageBox.shown[0].style, 10);
    EXPECT_EQ(platform.messageBox.shown[0].timeout, 0);
    addin.Done();
    platform.ExpectBalanced();
  }
}

TEST(PlatformMessageBox, WithoutMessageBoxServiceAsksForNothingElse) {
  DemoPlatform platform;
  platform.connection.Offer<IPlatformInfo>(platform.platformInfo.As<IPlatformInfo>());
  DemoComponent addin(platform);
  ASSERT_EQ(addin.Run(kShowMessageBox), S_OK);
  EXPECT_EQ(platform.connection.Queried().back(), __uuidof(IMsgBox));
  EXPECT_EQ(platform.platformInfo.calls, 0);
  addin.Done();
  platform.ExpectBalanced();
}

}  // namespace
