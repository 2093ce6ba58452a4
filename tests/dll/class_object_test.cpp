// The DLL's class object and unload rule: what keeps the DLL loaded (instances,
// extra class-object references, server locks), creation inside an aggregate,
// and one class object however many threads ask for it first.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "addin_identity.h"
#include "host/addin_interfaces.h"
#include "support/com_ptr.h"
#include "tests/dll/loaded_dll.h"
#include "tests/doubles/test_object.h"

namespace {

class ClassObject : public LoadedDll {
 protected:
  void SetUp() override {
    LoadedDll::SetUp();
    ASSERT_EQ(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, factory.PutVoid()), S_OK);
  }
  void TearDown() override {
    factory.Reset();
    LoadedDll::TearDown();
  }
  // The caller's reference to the class object beyond the class table's own
  // keeps the DLL loaded: these tests drop it to watch the other reasons.
  IClassFactory* Borrowed() {
    IClassFactory* borrowed = factory.Get();
    factory.Reset();
    return borrowed;
  }

  ComPtr<IClassFactory> factory;
};

TEST_F(ClassObject, IsOneObjectWhoseExtraReferencesKeepTheDllLoaded) {
  ComPtr<IUnknown> again;
  ASSERT_EQ(getClassObject(CLSID_AddInCOMIntegration, IID_IUnknown, again.PutVoid()), S_OK);
  EXPECT_EQ(again.As<IClassFactory>().Get(), factory.Get()) << "every request gets the same object";
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  again.Reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "the caller still holds one reference";
  factory.Reset();
  EXPECT_EQ(canUnloadNow(), S_OK) << "the class table's own reference does not count";

  ComPtr<IClassFactory> later;
  ASSERT_EQ(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, later.PutVoid()), S_OK);
  ComPtr<IDispatch> notOffered;
  EXPECT_EQ(later->QueryInterface(IID_IDispatch, notOffered.PutVoid()), E_NOINTERFACE);
  EXPECT_EQ(notOffered.Get(), nullptr);
}

TEST_F(ClassObject, ServerLocksAndLiveInstancesKeepTheDllLoaded) {
  IClassFactory* classObject = Borrowed();
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_EQ(classObject->LockServer(TRUE), S_OK);
  EXPECT_EQ(classObject->LockServer(TRUE), S_OK);
  EXPECT_EQ(classObject->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "one lock is still outstanding";
  EXPECT_EQ(classObject->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnloadNow(), S_OK);

  ComPtr<ILanguageExtender> first, second;
  ASSERT_EQ(classObject->CreateInstance(nullptr, __uuidof(ILanguageExtender), first.PutVoid()), S_OK);
  ASSERT_EQ(classObject->CreateInstance(nullptr, __uuidof(ILanguageExtender), second.PutVoid()), S_OK);
  EXPECT_NE(first.Get(), second.Get());
  first.Reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "the second instance lives";
  second.Reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ClassObject, RefusesBadRequestsWithoutLeavingAnInstanceBehind) {
  IClassFactory* classObject = Borrowed();
  EXPECT_EQ(classObject->CreateInstance(nullptr, __uuidof(ILanguageExtender), nullptr), E_POINTER);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(classObject->CreateInstance(nullptr, IID_IDispatch, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(canUnloadNow(), S_OK) << "the instance that did not answer is gone";
}

// The outer object of an aggregate: answers IUnknown itself and hands every
// other request to the inner object it holds.
class OuterObject final : public TestObject<IUnknown> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || !inner) return TestObject::QueryInterface(riid, ppv);
    return inner->QueryInterface(riid, ppv);
  }
  IUnknown* inner = nullptr;  // the reference the outer object owns
};

TEST_F(ClassObject, AggregatedInstanceDelegatesItsInterfacesToTheOuterObject) {
  IClassFactory* classObject = Borrowed();
  OuterObject outer;
  ASSERT_EQ(classObject->CreateInstance(outer.As<IUnknown>(), IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
            S_OK);
  ASSERT_NE(outer.inner, nullptr);
  EXPECT_NE(outer.inner, outer.As<IUnknown>());
  EXPECT_EQ(outer.RefCount(), 0) << "the inner object takes no reference to the outer one";
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "an aggregated instance keeps the DLL loaded";

  // The inner IUnknown is its own identity with its own count.
  ComPtr<IUnknown> innerAgain;
  ASSERT_EQ(outer.inner->QueryInterface(IID_IUnknown, innerAgain.PutVoid()), S_OK);
  EXPECT_EQ(innerAgain.Get(), outer.inner);
  EXPECT_EQ(outer.RefCount(), 0);
  innerAgain.Reset();

  // The component's interfaces count, and answer, for the aggregate.
  ComPtr<ILanguageExtender> extender;
  ASSERT_EQ(outer.inner->QueryInterface(__uuidof(ILanguageExtender), extender.PutVoid()), S_OK);
  EXPECT_EQ(outer.RefCount(), 1);
  ComPtr<IUnknown> identity;
  ASSERT_EQ(extender->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
  EXPECT_EQ(identity.Get(), outer.As<IUnknown>()) << "IUnknown of the component's interfaces is the outer one";
  auto lifecycle = ComPtr<ILanguageExtender>::Share(extender.Get()).As<IInitDone>();
  ASSERT_TRUE(lifecycle) << "asked through the outer object";
  EXPECT_EQ(outer.RefCount(), 3);
  long methods = 0;
  EXPECT_EQ(extender->GetNMethods(&methods), S_OK);
  EXPECT_GT(methods, 0);
  identity.Reset();
  lifecycle.Reset();
  extender.Reset();
  EXPECT_EQ(outer.RefCount(), 0);
  EXPECT_EQ(canUnloadNow(), S_FALSE);

  EXPECT_EQ(outer.inner->Release(), 0u);
  outer.inner = nullptr;
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_EQ(outer.LateCalls(), 0);
}

TEST_F(ClassObject, AggregationAsksForIUnknownOnlyAndCreatesNothingOtherwise) {
  IClassFactory* classObject = Borrowed();
  OuterObject outer;
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(classObject->CreateInstance(outer.As<IUnknown>(), __uuidof(ILanguageExtender), &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(outer.AddRefCount(), 0);
  EXPECT_EQ(canUnloadNow(), S_OK) << "no instance was created";
}

// Threads that all ask for the class object at once, the first requests since
// the DLL was loaded.
TEST_F(LoadedDll, ConcurrentFirstRequestsYieldOneClassObject) {
  constexpr int kLoads = 100;  // a broken double check shows in a few rounds of a hundred
  constexpr int kThreads = 8;
  for (int load = 0; load < kLoads; ++load) {
    if (load > 0) {
      FreeLibrary(dll);
      SetUp();
    }
    ASSERT_TRUE(freshLoad) << "the DLL must be loaded anew for each round";
    const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<IClassFactory*> answers(kThreads, nullptr);
    std::vector<HRESULT> results(kThreads, E_FAIL);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&, t] {
        WaitForSingleObject(go, INFINITE);
        results[t] = getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, reinterpret_cast<void**>(&answers[t]));
      });
    SetEvent(go);
    for (auto& thread : threads) thread.join();
    CloseHandle(go);
    for (int t = 0; t < kThreads; ++t) {
      ASSERT_EQ(results[t], S_OK);
      EXPECT_EQ(answers[t], answers[0]) << "round " << load << ", thread " << t;
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    for (IClassFactory* answer : answers) answer->Release();
    EXPECT_EQ(canUnloadNow(), S_OK) << "round " << load;
  }
}

}  // namespace
