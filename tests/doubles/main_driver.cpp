#include "tests/doubles/main_driver.h"

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

InstalledMainDriver::InstalledMainDriver(MainDriverDouble& driver) : factory_(new Factory(driver)) {
  CoRegisterClassObject(kMainDriverDoubleClsid, factory_->As<IClassFactory>(), CLSCTX_INPROC_SERVER,
                        REGCLS_MULTIPLEUSE, &cookie_);
}

InstalledMainDriver::~InstalledMainDriver() {
  CoRevokeClassObject(cookie_);
  delete factory_;
}
