// The platform's connection object: an IDispatch that offers any chosen set
// of services through QueryInterface and records every interface asked for.
#pragma once
#include <map>
#include <mutex>
#include <vector>

#include "host/connection_object.h"
#include "tests/doubles/test_object.h"

struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
};

class FakeConnection final : public NoDispatch<TestObject<IDispatch>> {
 public:
  // Offers `service` (kept alive by the test) under `iid`.
  template <class I>
  void Offer(I* service) {
    services_[__uuidof(I)] = service;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queried_.push_back(riid);
    }
    const auto found = services_.find(riid);
    if (found == services_.end()) return NoDispatch::QueryInterface(riid, ppv);
    if (!ppv) return E_POINTER;
    found->second->AddRef();
    *ppv = found->second;
    return S_OK;
  }

  // Interfaces asked for, in the order asked.
  std::vector<GUID> Queried() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queried_;
  }


 private:
  std::map<GUID, IUnknown*, GuidLess> services_;
  mutable std::mutex mutex_;
  std::vector<GUID> queried_;
};
