#include "tests/doubles/main_driver.h"

#include <stdexcept>

#include "support/bstr.h"

class InstalledMainDriver::Factory final : public TestObject<IClassFactory> {
 public:
  explicit Factory(MainDriverDouble& driver) : driver_(driver) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    return driver_.QueryInterface(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  MainDriverDouble& driver_;
};

namespace {

// Refuses every creation: the class object that stands for an absent main driver.
class RefusingFactory final : public TestObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** ppv) override {
    if (ppv) *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// The refusal is registered while a MainDriverAbsence exists and no
// InstalledMainDriver does: COM serves the class from its first registration.
RefusingFactory g_refusingFactory;
bool g_absenceWanted = false;
int g_installedDrivers = 0;
DWORD g_refusalCookie = 0;

void UpdateRefusal() {
  const bool wanted = g_absenceWanted && g_installedDrivers == 0;
  if (wanted && !g_refusalCookie) {
    CoRegisterClassObject(kMainDriverDoubleClsid, g_refusingFactory.As<IClassFactory>(), CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &g_refusalCookie);
  } else if (!wanted && g_refusalCookie) {
    CoRevokeClassObject(g_refusalCookie);
    g_refusalCookie = 0;
  }
}

}  // namespace

InstalledMainDriver::InstalledMainDriver(MainDriverDouble& driver) : factory_(new Factory(driver)) {
  ++g_installedDrivers;
  UpdateRefusal();
  CoRegisterClassObject(kMainDriverDoubleClsid, factory_->As<IClassFactory>(), CLSCTX_INPROC_SERVER,
                        REGCLS_MULTIPLEUSE, &cookie_);
}

InstalledMainDriver::~InstalledMainDriver() {
  CoRevokeClassObject(cookie_);
  delete factory_;
  --g_installedDrivers;
  UpdateRefusal();
}

MainDriverAbsence::MainDriverAbsence() {
  g_absenceWanted = true;
  UpdateRefusal();
}

MainDriverAbsence::~MainDriverAbsence() {
  g_absenceWanted = false;
  UpdateRefusal();
}

namespace {

// The element at `index` of a VARIANT array, or null when there is none.
VARIANT* ElementOf(SAFEARRAY** paParams, long index) {
  VARTYPE type = VT_EMPTY;
  if (!paParams || !*paParams || SafeArrayGetDim(*paParams) != 1 || FAILED(SafeArrayGetVartype(*paParams, &type)) ||
      type != VT_VARIANT)
    return nullptr;
  void* element = nullptr;
  return SUCCEEDED(SafeArrayPtrOfIndex(*paParams, &index, &element)) ? static_cast<VARIANT*>(element) : nullptr;
}

}  // namespace

Reply& Reply::ReturnText(const std::wstring& text) {
  returnsText_ = true;
  returnText_ = text;
  return *this;
}

HRESULT Reply::Play(VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  if (returnsText_) {
    VariantClear(pvarRetValue);
    pvarRetValue->vt = VT_BSTR;
    pvarRetValue->bstrVal = SysAllocString(returnText_.c_str());
  }
  for (auto& [index, value] : elements_) {
    if (VARIANT* element = ElementOf(paParams, index)) {
      VariantClear(element);
      *element = value->Detach();  // exactly this value, a null BSTR included
    }
  }
  if (throws_) throw std::runtime_error("main driver failed");
  return result_;
}

HRESULT MainDriverDouble::OnCall(long, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  if (replies_.empty()) return S_OK;
  Reply reply = std::move(replies_.front());
  replies_.pop_front();
  return reply.Play(pvarRetValue, paParams);
}

MainDriverDouble::Call MainDriverDouble::Record(long lMethodNum, VARIANT* pvarRetValue, SAFEARRAY** paParams) {
  Call call{lMethodNum, pvarRetValue, paParams, paParams ? *paParams : nullptr, VT_EMPTY, 0, {}};
  if (pvarRetValue) {
    call.returnType = pvarRetValue->vt;
    call.returnLong = pvarRetValue->lVal;
  }
  for (long index = 0; VARIANT* element = ElementOf(paParams, index); ++index) {
    if (element->vt == VT_BSTR)
      call.texts.emplace_back(Bstr::View(element->bstrVal));
    else
      call.texts.push_back(L"<vt " + std::to_wstring(element->vt) + L">");
  }
  return call;
}
