// Loads AddInCOMIntegration.DLL by path, creates the component through its
// class object, initialises it with a connection that offers no services,
// prints the member catalogue and shuts the component down.
#include <windows.h>

#include <cstdio>
#include <string>

#include "addin_identity.h"
#include "host/addin_interfaces.h"
#include "support/bstr.h"
#include "support/com_ptr.h"

namespace {

void Print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

// A connection object that offers no platform service.
class BareConnection final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = (riid == IID_IUnknown || riid == IID_IDispatch) ? this : nullptr;
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 private:
  ULONG refs_ = 1;
};

std::wstring Name(ILanguageExtender* addin, long number, long alias) {
  Bstr name;
  addin->GetMethodName(number, alias, name.Put());
  return std::wstring(name.View());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* path = argc > 1 ? argv[1] : L"AddInCOMIntegration.DLL";
  HMODULE dll = LoadLibraryW(path);
  if (!dll) {
    Print(L"cannot load " + std::wstring(path) + L"\n");
    return 1;
  }
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  CoInitialize(nullptr);
  int status = 1;
  {
    ComPtr<IClassFactory> factory;
    ComPtr<IInitDone> component;
    if (!getClassObject || FAILED(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, factory.PutVoid())) ||
        FAILED(factory->CreateInstance(nullptr, __uuidof(IInitDone), component.PutVoid()))) {
      Print(L"cannot create the component\n");
    } else {
      BareConnection connection;
      component->Init(&connection);
      auto addin = component.As<ILanguageExtender>();
      Bstr extension;
      addin->RegisterExtensionAs(extension.Put());
      long methods = 0;
      addin->GetNMethods(&methods);
      Print(L"Extension " + std::wstring(extension.View()) + L": " + std::to_wstring(methods) + L" methods\n");
      Print(L"  No.  English name                      Russian name                      Params  Kind\n");
      for (long number = 0; number < methods; ++number) {
        long params = 0, function = 0;
        addin->GetNParams(number, &params);
        const bool named = addin->HasRetVal(number, &function) == S_OK;
        wchar_t line[512];
        swprintf(line, 512, L"  %3ld  %-32ls  %-32ls  %6ld  %ls\n", number, Name(addin.Get(), number, 0).c_str(),
                 Name(addin.Get(), number, 1).c_str(), params,
                 !named ? L"(unnamed)" : function ? L"function" : L"procedure");
        Print(line);
      }
      component->Done();
      status = 0;
    }
  }
  CoUninitialize();
  return status;
}
