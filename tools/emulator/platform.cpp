// Creating, initialising and shutting down the add-in; waiting with the
// message pump running.
#include "tools/emulator/platform.h"

#include "support/bstr.h"
#include "support/safe_array.h"
#include "tools/emulator/console.h"
#include "tools/emulator/doctor.h"
#include "tools/emulator/hresult_text.h"

namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  return StringFromGUID2(guid, text, 40) ? text : L"{?}";
}

void ExplainFailure(const std::wstring& progId, HRESULT hr) {
  console::Line(L"Cannot create \"" + progId + L"\": " + HResultText(hr));
  const std::vector<doctor::Finding> findings = doctor::Diagnose(doctor::ComponentFor(progId), hr);
  for (const doctor::Finding& finding : findings) {
    console::Line(L"  cause: " + finding.problem);
    console::Line(L"  fix:   " + finding.fix);
  }
  console::Line(L"  (\"addin_emulator doctor\" explains the registration of both components)");
}

}  // namespace

bool EmulatedPlatform::Start(const std::wstring& progId) {
  console::Line(L"Creating \"" + progId + L"\"");
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
  console::Line(L"  CLSIDFromProgID: " + (SUCCEEDED(hr) ? GuidText(clsid) : HResultText(hr)));
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, doctor::kCreationContext, __uuidof(IInitDone), initDone_.PutVoid());
    console::Line(L"  CoCreateInstance: " + HResultText(hr));
  }
  if (FAILED(hr) || !initDone_) {
    initDone_.Reset();
    ExplainFailure(progId, FAILED(hr) ? hr : E_NOINTERFACE);
    return false;
  }
  extender_ = initDone_.As<ILanguageExtender>();
  if (!extender_) {
    console::Line(L"Cannot use \"" + progId + L"\": it does not offer ILanguageExtender");
    initDone_.Reset();
    return false;
  }
  console::Line(L"  Init: " + HResultText(initDone_->Init(connection_.As<IDispatch>())));
  VariantArray info(1);
  hr = initDone_->GetInfo(info.Address());
  console::Line(L"  GetInfo: " + HResultText(hr) + L", element 0 " + arguments::Describe(*info.Element(0).Get()));
  Bstr extension;
  hr = extender_->RegisterExtensionAs(extension.Put());
  console::Line(L"  RegisterExtensionAs: " + HResultText(hr) + L", \"" + std::wstring(extension.View()) + L"\"");
  const std::wstring stored = connection_.profile.Stored(L"Enabled");
  console::Line(L"  profile entry \"Enabled\": " +
                (stored.empty() ? std::wstring(L"nothing stored yet") : stored + L" (stored by an earlier run)"));
  return true;
}

void EmulatedPlatform::Stop() {
  if (!initDone_) return;
  console::Line(L"> Done");
  console::Line(L"  Done: " + HResultText(initDone_->Done()));
  extender_.Reset();
  initDone_.Reset();
  console::Line(L"  external events received: " + std::to_wstring(connection_.asyncEvent.EventCount()));
}

void EmulatedPlatform::Wait(double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
  while (true) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}
