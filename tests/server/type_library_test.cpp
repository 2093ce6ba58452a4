// The type library AddInLib as the platform reads it from the DLL: library
// attributes, the five entries in order, and every operation of the four
// interfaces with its member id, parameter names, types and directions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin_identity.h"
#include "host/addin_interfaces.h"
#include "server/type_library.h"
#include "tests/server/type_info.h"

namespace {

constexpr USHORT kIn = PARAMFLAG_FIN;
constexpr USHORT kInOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT kUnmarked = 0;

struct Parameter {
  USHORT direction;
  std::wstring type;
  std::wstring name;
};
struct Operation {
  std::wstring name;
  std::vector<Parameter> parameters;
};
struct Interface {
  std::wstring name;
  GUID iid;
  std::vector<Operation> operations;
};

const std::vector<Interface> kInterfaces = {
    {L"IAddInCOMIntegration", __uuidof(IAddInCOMIntegration), {}},
    {L"IInitDone",
     __uuidof(IInitDone),
     {
         {L"Init", {{kIn, L"IDispatch*", L"pConnection"}}},
         {L"Done", {}},
         {L"GetInfo", {{kInOut, L"SAFEARRAY(VARIANT)*", L"pInfo"}}},
     }},
    {L"ILanguageExtender",
     __uuidof(ILanguageExtender),
     {
         {L"RegisterExtensionAs", {{kInOut, L"BSTR*", L"bstrExtensionName"}}},
         {L"GetNProps", {{kInOut, L"long*", L"plProps"}}},
         {L"FindProp", {{kIn, L"BSTR", L"bstrPropName"}, {kInOut, L"long*", L"plPropNum"}}},
         {L"GetPropName",
          {{kIn, L"long", L"lPropNum"}, {kIn, L"long", L"lPropAlias"}, {kInOut, L"BSTR*", L"pbstrPropName"}}},
         {L"GetPropVal", {{kIn, L"long", L"lPropNum"}, {kInOut, L"VARIANT*", L"pvarPropVal"}}},
         {L"SetPropVal", {{kIn, L"long", L"lPropNum"}, {kIn, L"VARIANT*", L"varPropVal"}}},
         {L"IsPropReadable", {{kIn, L"long", L"lPropNum"}, {kInOut, L"long*", L"pboolPropRead"}}},
         {L"IsPropWritable", {{kIn, L"long", L"lPropNum"}, {kInOut, L"long*", L"pboolPropWrite"}}},
         {L"GetNMethods", {{kInOut, L"long*", L"plMethods"}}},
         {L"FindMethod", {{kUnmarked, L"BSTR", L"bstrMethodName"}, {kInOut, L"long*", L"plMethodNum"}}},
         {L"GetMethodName",
          {{kIn, L"long", L"lMethodNum"}, {kIn, L"long", L"lMethodAlias"}, {kInOut, L"BSTR*", L"pbstrMethodName"}}},
         {L"GetNParams", {{kIn, L"long", L"lMethodNum"}, {kInOut, L"long*", L"plParams"}}},
         {L"GetParamDefValue",
          {{kIn, L"long", L"lMethodNum"}, {kIn, L"long", L"lParamNum"}, {kInOut, L"VARIANT*", L"pvarParamDefValue"}}},
         {L"HasRetVal", {{kIn, L"long", L"lMethodNum"}, {kInOut, L"long*", L"pboolRetValue"}}},
         {L"CallAsProc", {{kIn, L"long", L"lMethodNum"}, {kInOut, L"SAFEARRAY(VARIANT)*", L"paParams"}}},
         {L"CallAsFunc",
          {{kIn, L"long", L"lMethodNum"},
           {kInOut, L"VARIANT*", L"pvarRetValue"},
           {kInOut, L"SAFEARRAY(VARIANT)*", L"paParams"}}},
     }},
    {L"ILocale", __uuidof(ILocale), {{L"SetLocale", {{kUnmarked, L"BSTR", L"bstrLocale"}}}}},
};

class AddInTypeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(L"" ADDIN_DLL_PATH, REGKIND_NONE, library.Put()), S_OK) << ADDIN_DLL_PATH;
  }
  ComPtr<ITypeInfo> Entry(UINT index) {
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfo(index, info.Put()), S_OK);
    return info;
  }

  ComPtr<ITypeLib> library;
};

TEST_F(AddInTypeLibrary, NamesItselfWithItsIdentityAndVersion) {
  Bstr name, help, file;
  ASSERT_EQ(library->GetDocumentation(-1, name.Put(), help.Put(), nullptr, file.Put()), S_OK);
  EXPECT_EQ(name.View(), L"AddInLib");
  EXPECT_EQ(help.View(), L"AddIn 1.0 Type Library");
  EXPECT_EQ(file.Get(), nullptr) << "no help file";

  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, LIBID_AddInLib);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 0u);
  EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  // Declared flags: none (not restricted, control or hidden); the loader adds "has a disk image".
  EXPECT_EQ(attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, 0);
  library->ReleaseTLibAttr(attributes);
}

TEST_F(AddInTypeLibrary, HoldsTheCoclassThenTheFourInterfacesInOrder) {
  ASSERT_EQ(library->GetTypeInfoCount(), 5u);
  auto coclass = Entry(0);
  TypeAttr coclassAttr(coclass.Get());
  EXPECT_EQ(coclassAttr->typekind, TKIND_COCLASS);
  EXPECT_EQ(coclassAttr->guid, CLSID_AddInCOMIntegration);
  EXPECT_EQ(coclassAttr->wTypeFlags, TYPEFLAG_FCANCREATE) << "creatable only";
  EXPECT_EQ(DocumentationOf(coclass.Get()).name, L"AddInCOMIntegration");
  EXPECT_EQ(DocumentationOf(coclass.Get()).helpString, L"AddInCOMIntegration Class");

  for (UINT i = 0; i < kInterfaces.size(); ++i) {
    SCOPED_TRACE(kInterfaces[i].name);
    auto info = Entry(i + 1);
    TypeAttr attr(info.Get());
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr->guid, kInterfaces[i].iid);
    EXPECT_EQ(attr->wTypeFlags, 0) << "neither dual nor automation-compatible";
    EXPECT_EQ(DocumentationOf(info.Get()).name, kInterfaces[i].name);
    EXPECT_EQ(DocumentationOf(info.Get()).helpString, kInterfaces[i].name + L" Interface");
  }
}

TEST_F(AddInTypeLibrary, CoclassImplementsFourInterfacesWithOnlyTheFirstDefault) {
  auto coclass = Entry(0);
  ASSERT_EQ(TypeAttr(coclass.Get())->cImplTypes, 4);
  for (UINT i = 0; i < 4; ++i) {
    SCOPED_TRACE(kInterfaces[i].name);
    HREFTYPE reference = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &reference), S_OK);
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, implemented.Put()), S_OK);
    EXPECT_EQ(DocumentationOf(implemented.Get()).name, kInterfaces[i].name);
    INT flags = -1;
    ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
    EXPECT_EQ(flags, i == 0 ? IMPLTYPEFLAG_FDEFAULT : 0);
  }
}

TEST_F(AddInTypeLibrary, InterfacesDeclareTheVirtualTablesThePlatformCalls) {
  for (UINT i = 0; i < kInterfaces.size(); ++i) {
    const Interface& expected = kInterfaces[i];
    SCOPED_TRACE(expected.name);
    auto info = Entry(i + 1);
    {
      TypeAttr attr(info.Get());
      ASSERT_EQ(attr->cFuncs, expected.operations.size());
      EXPECT_EQ(attr->cbSizeVft, (3 + expected.operations.size()) * sizeof(void*));
      ASSERT_EQ(attr->cImplTypes, 1);
    }
    HREFTYPE baseReference = 0;
    ComPtr<ITypeInfo> base;
    ASSERT_EQ(info->GetRefTypeOfImplType(0, &baseReference), S_OK);
    ASSERT_EQ(info->GetRefTypeInfo(baseReference, base.Put()), S_OK);
    EXPECT_EQ(DocumentationOf(base.Get()).name, L"IUnknown");

    for (UINT f = 0; f < expected.operations.size(); ++f) {
      const Operation& operation = expected.operations[f];
      SCOPED_TRACE(operation.name);
      FuncDesc desc(info.Get(), f);
      ASSERT_TRUE(desc);
      EXPECT_EQ(desc->memid, static_cast<MEMBERID>(0x60010000 + f));
      EXPECT_EQ(desc->funckind, FUNC_PUREVIRTUAL);
      EXPECT_EQ(desc->invkind, INVOKE_FUNC);
      EXPECT_EQ(desc->callconv, CC_STDCALL);
      EXPECT_EQ(desc->wFuncFlags, 0);
      EXPECT_EQ(desc->cParamsOpt, 0);
      EXPECT_EQ(desc->oVft, static_cast<SHORT>((3 + f) * sizeof(void*)));
      EXPECT_EQ(TypeText(info.Get(), desc->elemdescFunc.tdesc), L"HRESULT");

      const Documentation doc = DocumentationOf(info.Get(), desc->memid);
      EXPECT_EQ(doc.name, operation.name);
      EXPECT_EQ(doc.helpString, L"method " + operation.name);

      ASSERT_EQ(desc->cParams, static_cast<SHORT>(operation.parameters.size()));
      const auto names = ParameterNames(info.Get(), desc->memid, desc->cParams);
      ASSERT_EQ(names.size(), operation.parameters.size());
      for (size_t p = 0; p < operation.parameters.size(); ++p) {
        const Parameter& parameter = operation.parameters[p];
        SCOPED_TRACE(parameter.name);
        const ELEMDESC& element = desc->lprgelemdescParam[p];
        EXPECT_EQ(names[p], parameter.name);
        EXPECT_EQ(TypeText(info.Get(), element.tdesc), parameter.type);
        EXPECT_EQ(element.paramdesc.wParamFlags, parameter.direction);
      }
    }
  }
}

// Registration reads the library from the .tlb beside the binary when the
// binary itself does not carry one.
class TypeLibraryBeside : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    folder = std::wstring(temp) + L"addin_tlb_beside." + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  void TearDown() override {
    for (const wchar_t* name : {L"\\Plain.DLL", L"\\Plain.tlb"}) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
  }

  std::wstring folder;
};

TEST_F(TypeLibraryBeside, IsLoadedWhenTheModuleCarriesNone) {
  const std::wstring module = folder + L"\\Plain.DLL";
  ComPtr<ITypeLib> library;
  std::wstring loadedFrom;
  EXPECT_TRUE(FAILED(LoadAddInTypeLibrary(module, library, loadedFrom))) << "neither file exists yet";

  // A module file without the resource, and the library beside it.
  const HANDLE file = CreateFileW(module.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  ASSERT_TRUE(CopyFileW(TypeLibraryFileBeside(L"" ADDIN_DLL_PATH).c_str(), (folder + L"\\Plain.tlb").c_str(), TRUE))
      << "the build puts the .tlb beside the DLL";
  ASSERT_EQ(LoadAddInTypeLibrary(module, library, loadedFrom), S_OK);
  EXPECT_EQ(loadedFrom, folder + L"\\Plain.tlb");
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, LIBID_AddInLib);
  library->ReleaseTLibAttr(attributes);
}

TEST(TypeLibraryFileBesideModule, ReplacesOnlyTheFileNameExtension) {
  EXPECT_EQ(TypeLibraryFileBeside(L"C:\\Program Files\\AddIn\\AddInCOMIntegration.DLL"),
            L"C:\\Program Files\\AddIn\\AddInCOMIntegration.tlb");
  EXPECT_EQ(TypeLibraryFileBeside(L"C:\\v1.2\\AddIn"), L"C:\\v1.2\\AddIn.tlb");
  EXPECT_EQ(TypeLibraryFileBeside(L"AddIn.x.dll"), L"AddIn.x.tlb");
}

}  // namespace
