// A platform for the demonstration members: a connection offering the chosen
// services, and a component initialised with it that runs procedures by name.
#pragma once
#include <gtest/gtest.h>

#include "addin/catalogue_table.h"
#include "tests/doubles/async_event.h"
#include "tests/doubles/connection.h"
#include "tests/doubles/dialogs.h"
#include "tests/doubles/services.h"
#include "tests/support/addin.h"

using DemoProcedure = catalogue::Method;
using catalogue::kDisable;
using catalogue::kEnable;
using catalogue::kOpenForm;
using catalogue::kShowInStatusLine;
using catalogue::kShowMessageBox;
using catalogue::kStartTimer;
using catalogue::kStopTimer;

struct DemoPlatform {
  FakeConnection connection;
  RecordingStatusLine statusLine;
  RecordingErrorLog errorLog;
  RecordingAsyncEvent events;
  RecordingMessageBox messageBox;
  FixedPlatformInfo platformInfo;

  // Offers every service the demonstration members use.
  void OfferAll() {
    connection.Offer<IStatusLine>(statusLine.As<IStatusLine>());
    connection.Offer<IErrorLog>(errorLog.As<IErrorLog>());
    connection.Offer<IAsyncEvent>(events.As<IAsyncEvent>());
    connection.Offer<IMsgBox>(messageBox.As<IMsgBox>());
    connection.Offer<IPlatformInfo>(platformInfo.As<IPlatformInfo>());
  }

  // Every reference the components took was given back, and nothing was
  // called while no reference was held.
  void ExpectBalanced() const {
    EXPECT_EQ(connection.RefCount(), 0);
    EXPECT_EQ(statusLine.RefCount(), 0);
    EXPECT_EQ(errorLog.RefCount(), 0);
    EXPECT_EQ(events.RefCount(), 0);
    EXPECT_EQ(messageBox.RefCount(), 0);
    EXPECT_EQ(platformInfo.RefCount(), 0);
    EXPECT_EQ(events.AddRefCount(), events.ReleaseCount());
    EXPECT_EQ(connection.LateCalls() + statusLine.LateCalls() + errorLog.LateCalls() + events.LateCalls() +
                  messageBox.LateCalls() + platformInfo.LateCalls(),
              0);
  }
};

// One component instance between Init and Done.
class DemoComponent {
 public:
  explicit DemoComponent(DemoPlatform& platform) : addin_(NewAddIn()) {
    EXPECT_EQ(AsIf<IInitDone>(addin_)->Init(platform.connection.As<IDispatch>()), S_OK);
  }
  ~DemoComponent() { Done(); }
  DemoComponent(const DemoComponent&) = delete;
  DemoComponent& operator=(const DemoComponent&) = delete;

  HRESULT Run(DemoProcedure procedure, SAFEARRAY** params = nullptr) { return addin_->CallAsProc(procedure, params); }
  void Done() {
    if (done_) return;
    done_ = true;
    EXPECT_EQ(AsIf<IInitDone>(addin_)->Done(), S_OK);
  }
  // Drops the component without Done, as a platform that forgets it would.
  void Drop() {
    done_ = true;
    addin_.Reset();
  }
  long Enabled() {
    Variant value;
    addin_->GetPropVal(0, value.Get());
    return value.Get()->lVal;
  }

 private:
  ComPtr<ILanguageExtender> addin_;
  bool done_ = false;
};
