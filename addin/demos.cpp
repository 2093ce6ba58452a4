// The demonstration procedures: the platform's facilities exercised by members 0 to 6.
#include "addin/demos.h"

#include <atomic>
#include <string>

#include "addin/catalogue_table.h"
#include "addin/component.h"
#include "addin/param_array.h"
#include "support/bstr.h"
#include "support/guard.h"
#include "support/module_resources.h"
#include "support/variant.h"

namespace {

constexpr DWORD kStatusLineWaitMs = 5000;
constexpr WORD kNoStatusLineCode = 1004;
constexpr wchar_t kDefaultMessage[] = L"Simple message!";
constexpr long kMessageBoxStyle = 10;
constexpr long kMessageBoxTimeout = 0;

std::atomic<DWORD> g_statusLineWaitMs{kStatusLineWaitMs};

// Shows element 0 (as text, converted where it is not a string) in the status
// line and keeps the platform's thread waiting so that it can be read. Without
// a status line, tells the error log that there is none.
void ShowInStatusLine(IStatusLine* statusLine, IErrorLog* errorLog, SAFEARRAY** paParams) {
  if (statusLine) {
    const Variant element = params::GetParamElement(paParams, 0);
    const Bstr text(params::TextOf(*element.Get()));
    statusLine->SetStatusLine(text.Get());
    Sleep(g_statusLineWaitMs.load());
    return;
  }
  if (!errorLog) return;
  Bstr source(LoadResourceString(catalogue::kStatusLineMissingSourceId));
  Bstr description(LoadResourceString(catalogue::kStatusLineMissingDescriptionId));
  EXCEPINFO error = {};
  error.wCode = kNoStatusLineCode;
  error.bstrSource = source.Get();
  error.bstrDescription = description.Get();
  errorLog->AddError(L"", &error);
}

// Shows the platform's own information text (or "Simple message!" when the
// platform gives none) through the platform's message box.
void ShowMessageBox(const ComPtr<IDispatch>& connection) {
  const ComPtr<IMsgBox> messageBox = connection.As<IMsgBox>();
  if (!messageBox) return;
  std::wstring message = kDefaultMessage;
  if (const ComPtr<IPlatformInfo> platformInfo = connection.As<IPlatformInfo>()) {
    AppInfo* info = nullptr;
    platformInfo->GetPlatformInfo(&info);
    if (info) message = info->AppVersion ? info->AppVersion : L"";
  }
  const Bstr text(message);
  Variant answer;
  messageBox->MsgBox(text.Get(), answer.Get(), kMessageBoxStyle, kMessageBoxTimeout);
}

}  // namespace

void CAddInCOMIntegration::RunProcedure(long lMethodNum, SAFEARRAY** paParams) {
  Guarded([&] {
    switch (lMethodNum) {
      case catalogue::kEnable: m_enabled = 1; break;
      case catalogue::kDisable: m_enabled = 0; break;
      case catalogue::kShowInStatusLine: ShowInStatusLine(m_statusLine.Get(), m_errorLog.Get(), paParams); break;
      case catalogue::kStartTimer: m_timer.Start(m_asyncEvent.Get()); break;
      case catalogue::kStopTimer: m_timer.Stop(); break;
      case catalogue::kOpenForm: break;  // nothing to open: the demonstration has no form
      case catalogue::kShowMessageBox: ShowMessageBox(m_connection); break;
    }
    return S_OK;
  });
}

void SetStatusLineWaitForTests(DWORD waitMs) { g_statusLineWaitMs = waitMs; }
