// The DLL as a program loads it: by path, through its exported class object.
#include <gtest/gtest.h>

#include "addin_identity.h"
#include "tests/dll/loaded_dll.h"
#include "tests/doubles/connection.h"
#include "tests/support/addin.h"

namespace {

TEST_F(LoadedDll, CreatesTheComponentThroughItsClassObject) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, factory.PutVoid()), S_OK);
  ComPtr<ILanguageExtender> addin;
  ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(ILanguageExtender), addin.PutVoid()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a live instance keeps the DLL loaded";

  FakeConnection connection;
  auto lifecycle = addin.As<IInitDone>();
  ASSERT_EQ(lifecycle->Init(connection.As<IDispatch>()), S_OK);
  Bstr name;
  ASSERT_EQ(addin->GetMethodName(17, 1, name.Put()), S_OK);
  EXPECT_EQ(name.View(), L"ПОЛУЧИТЬОПИСАНИЕ") << "the string table is inside the DLL";
  long number = -1;
  Bstr find(L"получитьописание");
  EXPECT_EQ(addin->FindMethod(find.Get(), &number), S_OK);
  EXPECT_EQ(number, 17);
  EXPECT_EQ(lifecycle->Done(), S_OK);
  lifecycle.Reset();
  addin.Reset();
  factory.Reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_EQ(connection.RefCount(), 0);
}

TEST_F(LoadedDll, RefusesOtherClassesAndNullOutput) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, nullptr), E_POINTER);
}

}  // namespace
