// The add-in object's identity and its life with the platform: Init, Done,
// the services it keeps, the persisted enabled flag and the main driver.
#include <gtest/gtest.h>

#include <stdexcept>

#include "addin_identity.h"
#include "tests/doubles/connection.h"
#include "tests/doubles/main_driver.h"
#include "tests/doubles/services.h"
#include "tests/support/addin.h"

namespace {

long Enabled(const ComPtr<ILanguageExtender>& addin) {
  Variant value;
  addin->GetPropVal(0, value.Get());
  return value.Get()->lVal;
}

bool ApartmentAlive() {
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  return SUCCEEDED(CoGetApartmentType(&type, &qualifier));
}

struct Platform {
  FakeConnection connection;
  RecordingErrorLog errorLog;
  RecordingStatusLine statusLine;
  MemoryProfile profile;

  Platform() {
    connection.Offer<IErrorLog>(errorLog.As<IErrorLog>());
    connection.Offer<IStatusLine>(statusLine.As<IStatusLine>());
    connection.Offer<IPropertyProfile>(profile.As<IPropertyProfile>());
  }
  void ExpectAllReleased() const {
    EXPECT_EQ(connection.RefCount(), 0);
    EXPECT_EQ(errorLog.RefCount(), 0);
    EXPECT_EQ(statusLine.RefCount(), 0);
    EXPECT_EQ(profile.RefCount(), 0);
    EXPECT_EQ(connection.LateCalls() + errorLog.LateCalls() + statusLine.LateCalls() + profile.LateCalls(), 0);
  }
};

void Cycle(Platform& platform) {
  auto addin = NewAddIn();
  auto lifecycle = AsIf<IInitDone>(addin);
  ASSERT_EQ(lifecycle->Init(platform.connection.As<IDispatch>()), S_OK);
  ASSERT_EQ(lifecycle->Done(), S_OK);
}

TEST(Identity, AnswersItsFourInterfacesWithOneIdentity) {
  auto addin = NewAddIn();
  ASSERT_TRUE(addin);
  ComPtr<IUnknown> unknown;
  ASSERT_EQ(addin->QueryInterface(IID_IUnknown, unknown.PutVoid()), S_OK);
  ComPtr<IAddInCOMIntegration> own;
  ASSERT_EQ(addin->QueryInterface(__uuidof(IAddInCOMIntegration), own.PutVoid()), S_OK);
  EXPECT_EQ(static_cast<IUnknown*>(own.Get()), unknown.Get()) << "IUnknown is the IAddInCOMIntegration pointer";
  for (const GUID& iid : {__uuidof(IInitDone), __uuidof(ILanguageExtender), __uuidof(ILocale)}) {
    ComPtr<IUnknown> face;
    ASSERT_EQ(addin->QueryInterface(iid, face.PutVoid()), S_OK);
    ComPtr<IUnknown> back;
    ASSERT_EQ(face->QueryInterface(IID_IUnknown, back.PutVoid()), S_OK);
    EXPECT_EQ(back.Get(), unknown.Get());
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(addin->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(addin->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(Init, NullConnectionFailsAndTouchesNothing) {
  MainDriverDouble driver;
  InstalledMainDriver installed(driver);
  auto addin = NewAddIn();
  EXPECT_EQ(AsIf<IInitDone>(addin)->Init(nullptr), E_FAIL);
  EXPECT_EQ(driver.AddRefCount(), 0) << "no main driver is created";
  EXPECT_EQ(AsIf<IInitDone>(addin)->Done(), S_OK);
  EXPECT_TRUE(ApartmentAlive()) << "Done after a failed Init must not uninitialise COM";
}

TEST(Init, AsksForTheServicesInOrderAndReleasesThemAtDone) {
  Platform platform;
  Cycle(platform);
  const std::vector<GUID> queried = platform.connection.Queried();
  ASSERT_GE(queried.size(), 4u);
  EXPECT_EQ(queried[0], IID_IErrorLog);
  EXPECT_EQ(queried[1], __uuidof(IAsyncEvent));
  EXPECT_EQ(queried[2], __uuidof(IStatusLine));
  EXPECT_EQ(queried[3], __uuidof(IPropertyProfile));
  EXPECT_EQ(platform.profile.registeredAs, std::vector<std::wstring>{L"TestAddInProfName"});
  EXPECT_EQ(platform.profile.reads, std::vector<std::wstring>{L"Enabled:0"});
  platform.ExpectAllReleased();
}

TEST(Init, ConnectionWithoutServicesStillSucceeds) {
  FakeConnection bare;
  auto addin = NewAddIn();
  auto lifecycle = AsIf<IInitDone>(addin);
  EXPECT_EQ(lifecycle->Init(bare.As<IDispatch>()), S_OK);
  EXPECT_EQ(bare.RefCount(), 1) << "the component keeps one reference to the connection";
  long methods = 0;
  EXPECT_EQ(addin->GetNMethods(&methods), S_OK) << "no status line: nothing is shown";
  EXPECT_EQ(lifecycle->Done(), S_OK);
  EXPECT_EQ(bare.RefCount(), 0);
}

TEST(EnabledFlag, IsReadAsStoredAndSurvivesCycles) {
  Platform platform;
  platform.profile.entries[L"Enabled"] = 1;
  for (int cycle = 0; cycle < 3; ++cycle) {
    auto addin = NewAddIn();
    auto lifecycle = AsIf<IInitDone>(addin);
    lifecycle->Init(platform.connection.As<IDispatch>());
    EXPECT_EQ(Enabled(addin), 1) << "cycle " << cycle;
    lifecycle->Done();
  }
  platform.profile.entries[L"Enabled"] = 0;
  {
    auto addin = NewAddIn();
    AsIf<IInitDone>(addin)->Init(platform.connection.As<IDispatch>());
    EXPECT_EQ(Enabled(addin), 0);
    AsIf<IInitDone>(addin)->Done();
  }
  EXPECT_EQ(platform.profile.entries[L"Enabled"], 0);
  ASSERT_FALSE(platform.profile.writes.empty());
  EXPECT_EQ(platform.profile.writes.back().name, L"Enabled");
  EXPECT_EQ(platform.profile.writes.back().type, VT_I4);
  platform.ExpectAllReleased();
}

TEST(EnabledFlag, MissingOrUnreadableEntryGivesEnabled) {
  for (bool failing : {false, true}) {
    Platform platform;
    platform.profile.failReads = failing;
    platform.profile.entries[L"Enabled"] = 0;
    if (!failing) platform.profile.entries.clear();
    auto addin = NewAddIn();
    AsIf<IInitDone>(addin)->Init(platform.connection.As<IDispatch>());
    EXPECT_EQ(Enabled(addin), 1);
    AsIf<IInitDone>(addin)->Done();
    EXPECT_EQ(platform.profile.entries[L"Enabled"], 1) << "Done saves the flag";
  }
}

TEST(EnabledFlag, SetPropertyIsSavedAtDone) {
  Platform platform;
  auto addin = NewAddIn();
  AsIf<IInitDone>(addin)->Init(platform.connection.As<IDispatch>());
  Variant off = Variant::Long(0);
  ASSERT_EQ(addin->SetPropVal(0, off.Get()), S_OK);
  AsIf<IInitDone>(addin)->Done();
  EXPECT_EQ(platform.profile.entries[L"Enabled"], 0);
}

TEST(Done, SecondDoneReleasesNothingTwiceAndKeepsCoInitBalanced) {
  Platform platform;
  auto addin = NewAddIn();
  auto lifecycle = AsIf<IInitDone>(addin);
  lifecycle->Init(platform.connection.As<IDispatch>());
  EXPECT_EQ(lifecycle->Done(), S_OK);
  EXPECT_EQ(lifecycle->Done(), S_OK);
  platform.ExpectAllReleased();
  EXPECT_EQ(platform.profile.writes.size(), 1u) << "the profile is gone after the first Done";
  EXPECT_TRUE(ApartmentAlive()) << "the test's own CoInitialize must still stand";
}

TEST(MainDriver, IsCreatedThroughItsProgIdAndReleasedAtDone) {
  MainDriverDouble driver;
  InstalledMainDriver installed(driver);
  FakeConnection connection;
  auto addin = NewAddIn();
  auto lifecycle = AsIf<IInitDone>(addin);
  ASSERT_EQ(lifecycle->Init(connection.As<IDispatch>()), S_OK);
  EXPECT_EQ(driver.RefCount(), 1) << "the component holds exactly one reference";
  lifecycle->Done();
  EXPECT_EQ(driver.RefCount(), 0);
  EXPECT_EQ(driver.unexpectedCalls, 0) << "only CallAsFunc is ever used on the main driver";
}

TEST(MainDriver, NotInstalledLeavesInitSuccessful) {
  FakeConnection connection;
  auto addin = NewAddIn();
  EXPECT_EQ(AsIf<IInitDone>(addin)->Init(connection.As<IDispatch>()), S_OK);
  EXPECT_EQ(AsIf<IInitDone>(addin)->Done(), S_OK);
}

class ThrowingReleaseDriver final : public MainDriverDouble {
 public:
  ULONG STDMETHODCALLTYPE Release() override {
    MainDriverDouble::Release();
    throw std::runtime_error("release failed");
  }
};

TEST(MainDriver, ThrowingReleaseDoesNotStopDone) {
  ThrowingReleaseDriver driver;
  InstalledMainDriver installed(driver);
  FakeConnection connection;
  auto addin = NewAddIn();
  auto lifecycle = AsIf<IInitDone>(addin);
  lifecycle->Init(connection.As<IDispatch>());
  EXPECT_EQ(lifecycle->Done(), S_OK);
  EXPECT_EQ(connection.RefCount(), 0);
  EXPECT_TRUE(ApartmentAlive());
}

TEST(GetInfo, WritesVersionIntoElementZeroOnly) {
  auto lifecycle = AsIf<IInitDone>(NewAddIn());
  ParamArray info(3);
  info.Set(1, *Text(L"keep").Get());
  ASSERT_EQ(lifecycle->GetInfo(info.Get()), S_OK);
  Variant version = info.At(0);
  EXPECT_EQ(version.Type(), VT_I4);
  EXPECT_EQ(version.Get()->lVal, 2040);
  EXPECT_EQ(TextIn(info.At(1)), L"keep");
  EXPECT_EQ(info.At(2).Type(), VT_EMPTY);
}

TEST(GetInfo, SurvivesArraysItCannotWrite) {
  auto lifecycle = AsIf<IInitDone>(NewAddIn());
  EXPECT_EQ(lifecycle->GetInfo(nullptr), E_POINTER);
  SAFEARRAY* none = nullptr;
  EXPECT_EQ(lifecycle->GetInfo(&none), S_OK);
  ParamArray empty(0);
  EXPECT_EQ(lifecycle->GetInfo(empty.Get()), S_OK);
  ParamArray numbers(2, VT_I4);
  EXPECT_EQ(lifecycle->GetInfo(numbers.Get()), S_OK);
  long index = 0, value = -1;
  SafeArrayGetElement(*numbers.Get(), &index, &value);
  EXPECT_EQ(value, 0) << "an array of another element type is not written";
}

TEST(Naming, RegisterExtensionAsAndSetLocale) {
  auto addin = NewAddIn();
  Bstr name;
  ASSERT_EQ(addin->RegisterExtensionAs(name.Put()), S_OK);
  EXPECT_EQ(name.View(), L"BrivexAddInCOMIntegration");
  EXPECT_EQ(addin->RegisterExtensionAs(nullptr), E_POINTER);
  auto locale = AsIf<ILocale>(addin);
  Bstr text(L"ru_RU");
  EXPECT_EQ(locale->SetLocale(text.Get()), S_OK);
  EXPECT_EQ(locale->SetLocale(nullptr), S_OK);
}

}  // namespace
