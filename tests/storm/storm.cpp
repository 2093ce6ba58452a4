// Randomized call storm: drives the component through every operation of
// ILanguageExtender, IInitDone and ILocale with random, boundary and malformed
// input, with and without each platform service and the main driver, and
// checks what must hold whatever the input:
//  - every HRESULT is one the interfaces document, and the answers that go
//    with it are consistent (found numbers, non-null names, clearable values);
//  - after each run, every reference taken from the doubles was given back
//    once, no call reached a double that nobody held, no instance is left;
//  - no timer event arrives after Done;
//  - private memory does not grow once the storm is warm.
//
// Usage: storm_test [--calls N] [--seed S]   (default: a short run for CI)
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/catalogue_table.h"
#include "addin/timer.h"
#include "server/module.h"
#include "tests/storm/random_input.h"
#include "tests/support/addin.h"

namespace {

constexpr long long kShortCalls = 30000;
constexpr double kMemoryLimitMiB = 1.0;
// The timer fires this often instead of every second, so that its events
// race with the calls, with StopTimer and with Done.
constexpr DWORD kTimerPeriodMs = 2;

struct Options {
  long long calls = kShortCalls;
  uint32_t seed = 20261208;
};

class Failures {
 public:
  void Add(const char* format, ...) {
    ++count_;
    if (shown_.size() >= 25) return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    shown_.emplace_back(text);
  }
  long Count() const { return count_; }
  void Print() const {
    for (const std::string& failure : shown_) std::printf("  FAILURE: %s\n", failure.c_str());
    if (count_ > static_cast<long>(shown_.size())) std::printf("  ... and %ld more\n", count_ - static_cast<long>(shown_.size()));
  }

 private:
  long count_ = 0;
  std::vector<std::string> shown_;
};

double PrivateMiB() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  // Wine fills only the basic record, whose PagefileUsage is the private
  // commit that PrivateUsage repeats in the extended one.
  const SIZE_T bytes = counters.cb >= sizeof counters ? counters.PrivateUsage : counters.PagefileUsage;
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

long ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  long count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
  CloseHandle(snapshot);
  return count;
}

// Private memory once the threads that timers brought have gone: the system's
// pool keeps an idle worker thread, with its stacks, for some seconds after its
// last callback, and such a thread is no growth of the component's.
double QuietPrivateMiB(long quietThreads) {
  for (int wait = 0; wait < 200 && ThreadCount() > quietThreads; ++wait) Sleep(50);
  return PrivateMiB();
}

// Everything the platform side of one run consists of.
struct RunDoubles {
  CountingStatusLine statusLine;
  CountingErrorLog errorLog;
  CountingProfile profile;
  CountingAsyncEvent asyncEvent;
  CountingMsgBox msgBox;
  FixedPlatformInfo platformInfo;
  StormConnection connection;
  ElementObject element;
  StormMainDriver driver;
  bool statusLineOffered = false;
  long run = 0;
};

class Storm {
 public:
  explicit Storm(const Options& options)
      : options_(options), random_(options.seed), inputs_(random_, bad_, CatalogueNames()) {}

  int Run() {
    SetTimerPeriodForTests(kTimerPeriodMs);
    const DWORD start = GetTickCount();
    const long quietThreads = ThreadCount();
    const long long warmUp = std::max<long long>(options_.calls / 5, 2000);
    std::optional<double> warmMiB;
    while (calls_ < options_.calls) {
      OneRun();
      if (!warmMiB && calls_ >= warmUp) warmMiB = QuietPrivateMiB(quietThreads);
    }
    for (auto& slot : ring_) Retire(slot);  // the last runs' late events, if any
    const double endMiB = QuietPrivateMiB(quietThreads);
    const double growth = warmMiB ? endMiB - *warmMiB : 0;
    if (growth >= kMemoryLimitMiB)
      failures_.Add("private memory grew by %.3f MiB after the warm-up (limit %.1f MiB)", growth, kMemoryLimitMiB);

    std::printf("storm: seed %u, %lld calls in %ld runs, %.1f s\n", options_.seed, calls_, runs_,
                (GetTickCount() - start) / 1000.0);
    std::printf("  runs without a main driver: %ld\n", runsWithoutDriver_);
    std::printf("  kinds of bad input tried: %zu\n", bad_.Kinds().size());
    for (const auto& [kind, count] : bad_.Kinds()) std::printf("    %-45s %ld\n", kind.c_str(), count);
    std::printf("  timer events received: %ld (after Done: %ld)\n", timerEvents_, eventsAfterDone_);
    std::printf("  private memory: %.2f MiB after the warm-up, %.2f MiB at the end, growth %.3f MiB (limit %.1f)\n",
                warmMiB.value_or(endMiB), endMiB, growth, kMemoryLimitMiB);
    std::printf("  failures: %ld\n", failures_.Count());
    failures_.Print();
    return failures_.Count() == 0 ? 0 : 1;
  }

 private:
  static std::vector<std::wstring> CatalogueNames() {
    std::vector<std::wstring> names;
    for (const catalogue::MethodRow& row : catalogue::kMethods)
      for (const wchar_t* name : {row.english, row.russian, row.finderEnglish, row.finderRussian, row.finderAlias})
        if (name) names.emplace_back(name);
    for (const catalogue::PropertyRow& row : catalogue::kProperties) names.insert(names.end(), {row.english, row.russian});
    return names;
  }

  void OneRun() {
    std::unique_ptr<RunDoubles>& slot = ring_[static_cast<size_t>(runs_) % ring_.size()];
    Retire(slot);
    slot = std::make_unique<RunDoubles>();
    RunDoubles& d = *slot;
    d.run = ++runs_;
    if (random_.Chance(60)) d.connection.Offer(__uuidof(IErrorLog), d.errorLog.As<IErrorLog>());
    if (random_.Chance(60)) d.connection.Offer(__uuidof(IPropertyProfile), d.profile.As<IPropertyProfile>());
    if (random_.Chance(60)) d.connection.Offer(__uuidof(IAsyncEvent), d.asyncEvent.As<IAsyncEvent>());
    if (random_.Chance(30)) {
      d.connection.Offer(__uuidof(IStatusLine), d.statusLine.As<IStatusLine>());
      d.statusLineOffered = true;
    }
    if (random_.Chance(50)) d.connection.Offer(__uuidof(IMsgBox), d.msgBox.As<IMsgBox>());
    if (random_.Chance(50)) d.connection.Offer(__uuidof(IPlatformInfo), d.platformInfo.As<IPlatformInfo>());
    d.platformInfo.withRecord = random_.Chance(70);
    std::optional<InstalledMainDriver> installed;
    std::optional<MainDriverAbsence> absent;
    if (random_.Chance(70)) {
      installed.emplace(d.driver);
    } else {
      absent.emplace();
      ++runsWithoutDriver_;
    }

    {
      ComPtr<ILanguageExtender> addin = NewAddIn();
      ComPtr<IInitDone> lifecycle = addin.As<IInitDone>();
      ComPtr<ILocale> locale = addin.As<ILocale>();
      if (!addin || !lifecycle || !locale) {
        failures_.Add("run %ld: the component does not offer its interfaces", d.run);
        return;
      }
      if (random_.Chance(10)) InitWithoutConnection(lifecycle.Get());
      Check(lifecycle->Init(d.connection.As<IDispatch>()) == S_OK, "Init with a connection did not return S_OK");
      ++calls_;
      const long count = 1 + random_.Below(400);
      for (long i = 0; i < count && calls_ < options_.calls; ++i) OneCall(addin.Get(), lifecycle.Get(), locale.Get(), d);
      Check(lifecycle->Done() == S_OK, "Done did not return S_OK");
      ++calls_;
      d.asyncEvent.closed = true;
    }
    installed.reset();
    absent.reset();
    CheckReleased(d);
  }

  // Checks what the component left behind once the platform let it go.
  void CheckReleased(RunDoubles& d) {
    struct Held {
      const char* name;
      long refs, addRefs, releases, late;
    };
    auto held = [](const char* name, const auto& object) {
      return Held{name, object.RefCount(), object.AddRefCount(), object.ReleaseCount(), object.LateCalls()};
    };
    for (const Held& h : {held("connection", d.connection), held("status line", d.statusLine),
                          held("error log", d.errorLog), held("property profile", d.profile),
                          held("async event", d.asyncEvent), held("message box", d.msgBox),
                          held("platform information", d.platformInfo), held("parameter object", d.element),
                          held("main driver", d.driver)}) {
      if (h.refs != 0 || h.addRefs != h.releases)
        failures_.Add("run %ld: %s holds %ld references after Release (%ld taken, %ld given back)", d.run, h.name,
                      h.refs, h.addRefs, h.releases);
      if (h.late != 0) failures_.Add("run %ld: %s received %ld calls while nobody held it", d.run, h.name, h.late);
    }
    if (d.driver.unexpectedCalls != 0)
      failures_.Add("run %ld: the main driver received %d calls other than CallAsFunc", d.run, d.driver.unexpectedCalls);
    if (d.errorLog.malformed != 0) failures_.Add("run %ld: an error-log entry came without its EXCEPINFO", d.run);
    if (Module().GetLockCount() != 0)
      failures_.Add("run %ld: %ld module locks remain after the last Release", d.run, static_cast<long>(Module().GetLockCount()));
  }

  // A run's doubles go away only some runs later, so that a timer event that
  // comes late still finds them, and is counted.
  void Retire(std::unique_ptr<RunDoubles>& slot) {
    if (!slot) return;
    CountingAsyncEvent& events = slot->asyncEvent;
    timerEvents_ += events.events;
    eventsAfterDone_ += events.eventsAfterDone;
    if (events.eventsAfterDone != 0)
      failures_.Add("run %ld: %ld timer events arrived after Done", slot->run, static_cast<long>(events.eventsAfterDone));
    if (events.malformedEvents != 0)
      failures_.Add("run %ld: %ld timer events had other texts than ComponentCOM/Timer/digits", slot->run,
                    static_cast<long>(events.malformedEvents));
    if (events.LateCalls() != 0)
      failures_.Add("run %ld: the async event was called %ld times after its release", slot->run, events.LateCalls());
    slot.reset();
  }

  void InitWithoutConnection(IInitDone* lifecycle) {
    bad_.Note("Init with a null connection");
    ++calls_;
    Check(lifecycle->Init(nullptr) == E_FAIL, "Init with a null connection did not return E_FAIL");
  }

  bool Check(bool holds, const char* what) {
    if (!holds) failures_.Add("run %ld call %lld: %s", runs_, calls_, what);
    return holds;
  }
  // S_OK or S_FALSE, or E_POINTER where an output pointer was null.
  void CheckResult(HRESULT hr, const char* operation, bool nullOutput = false) {
    if (hr == S_OK || hr == S_FALSE || (nullOutput && hr == E_POINTER)) return;
    failures_.Add("run %ld call %lld: %s returned 0x%08lX", runs_, calls_, operation, static_cast<unsigned long>(hr));
  }
  bool NullOutput() {
    if (!random_.Chance(4)) return false;
    bad_.Note("null output pointer");
    return true;
  }
  void CheckName(HRESULT hr, BSTR name, const char* operation) {
    if ((hr == S_OK || hr == S_FALSE) && !name) failures_.Add("run %ld call %lld: %s gave a null BSTR", runs_, calls_, operation);
    if (hr == S_FALSE && SysStringLen(name) != 0)
      failures_.Add("run %ld call %lld: %s gave a name with S_FALSE", runs_, calls_, operation);
    SysFreeString(name);
  }
  void CheckParamsFreed(ParamsInput& params, const char* operation) {
    if (!params.Destroy()) failures_.Add("run %ld call %lld: %s left the parameter array locked", runs_, calls_, operation);
  }

  void OneCall(ILanguageExtender* addin, IInitDone* lifecycle, ILocale* locale, RunDoubles& d) {
    ++calls_;
    // How often each operation below is picked, in the order of the cases.
    static const int kWeights[] = {3, 2, 6, 6, 5, 6, 3, 3, 2, 12, 8, 6, 4, 5, 12, 16, 3, 2, 6, 3, 1};
    static const long kTotal = [] {
      long total = 0;
      for (int weight : kWeights) total += weight;
      return total;
    }();
    long pick = random_.Below(kTotal);
    int operation = 0;
    while (pick >= kWeights[operation]) pick -= kWeights[operation++];
    long result = 0;
    switch (operation) {
      case 0: {
        const bool nullOut = NullOutput();
        BSTR name = nullptr;
        const HRESULT hr = addin->RegisterExtensionAs(nullOut ? nullptr : &name);
        CheckResult(hr, "RegisterExtensionAs", nullOut);
        if (!nullOut) CheckName(hr, name, "RegisterExtensionAs");
        break;
      }
      case 1: {
        const bool nullOut = NullOutput();
        const HRESULT hr = addin->GetNProps(nullOut ? nullptr : &result);
        CheckResult(hr, "GetNProps", nullOut);
        if (hr == S_OK) Check(result == catalogue::kPropertyCount, "GetNProps did not give 2");
        break;
      }
      case 2: {
        Bstr name = inputs_.Name();
        const bool nullOut = NullOutput();
        const HRESULT hr = addin->FindProp(name.Get(), nullOut ? nullptr : &result);
        CheckResult(hr, "FindProp", nullOut);
        if (!nullOut) Check((hr == S_OK) == (result >= 0 && result < 2) && (hr != S_FALSE || result == -1),
                            "FindProp's number does not match its HRESULT");
        break;
      }
      case 3: {
        const long number = inputs_.PropertyNumber(), alias = inputs_.Alias();
        const bool nullOut = NullOutput();
        BSTR name = nullptr;
        const HRESULT hr = addin->GetPropName(number, alias, nullOut ? nullptr : &name);
        CheckResult(hr, "GetPropName", nullOut);
        if (!nullOut) CheckName(hr, name, "GetPropName");
        break;
      }
      case 4: {
        const bool nullOut = NullOutput();
        VARIANT value;
        VariantInit(&value);
        const HRESULT hr = addin->GetPropVal(inputs_.PropertyNumber(), nullOut ? nullptr : &value);
        CheckResult(hr, "GetPropVal", nullOut);
        if (hr == S_OK) Check(value.vt == VT_I4 && (value.lVal == 0 || value.lVal == 1), "GetPropVal gave no VT_I4 0 or 1");
        Check(VariantClear(&value) == S_OK, "GetPropVal left an invalid VARIANT");
        break;
      }
      case 5: {
        ParamsInput owner;
        VARIANT value;
        inputs_.Value(value, owner, d.element);
        const bool nullValue = random_.Chance(3);
        if (nullValue) bad_.Note("null SetPropVal value");
        if (value.vt != VT_I4) bad_.Note("SetPropVal with a value other than VT_I4");
        CheckResult(addin->SetPropVal(inputs_.PropertyNumber(), nullValue ? nullptr : &value), "SetPropVal", nullValue);
        VariantClear(&value);
        break;
      }
      case 6:
      case 7: {
        const bool nullOut = NullOutput();
        const long number = inputs_.PropertyNumber();
        const HRESULT hr = operation == 6 ? addin->IsPropReadable(number, nullOut ? nullptr : &result)
                                          : addin->IsPropWritable(number, nullOut ? nullptr : &result);
        CheckResult(hr, operation == 6 ? "IsPropReadable" : "IsPropWritable", nullOut);
        break;
      }
      case 8: {
        const bool nullOut = NullOutput();
        const HRESULT hr = addin->GetNMethods(nullOut ? nullptr : &result);
        CheckResult(hr, "GetNMethods", nullOut);
        if (hr == S_OK) Check(result == catalogue::kMethodCount, "GetNMethods did not give 33");
        break;
      }
      case 9: {
        Bstr name = inputs_.Name();
        const bool nullOut = NullOutput();
        const HRESULT hr = addin->FindMethod(name.Get(), nullOut ? nullptr : &result);
        CheckResult(hr, "FindMethod", nullOut);
        if (!nullOut) Check((hr == S_OK) == (result >= 0 && result <= 31) && (hr != S_FALSE || result == -1),
                            "FindMethod's number does not match its HRESULT");
        break;
      }
      case 10: {
        const long number = inputs_.MethodNumber(), alias = inputs_.Alias();
        const bool nullOut = NullOutput();
        BSTR name = nullptr;
        const HRESULT hr = addin->GetMethodName(number, alias, nullOut ? nullptr : &name);
        CheckResult(hr, "GetMethodName", nullOut);
        if (!nullOut) CheckName(hr, name, "GetMethodName");
        break;
      }
      case 11: {
        const bool nullOut = NullOutput();
        const HRESULT hr = addin->GetNParams(inputs_.MethodNumber(), nullOut ? nullptr : &result);
        CheckResult(hr, "GetNParams", nullOut);
        if (hr == S_FALSE) Check(result == 0, "GetNParams gave a count with S_FALSE");
        break;
      }
      case 12: {
        const bool nullOut = NullOutput();
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        const HRESULT hr =
            addin->GetParamDefValue(inputs_.MethodNumber(), inputs_.MethodNumber(), nullOut ? nullptr : &value);
        CheckResult(hr, "GetParamDefValue", nullOut);
        if (!nullOut) Check(value.vt == VT_EMPTY, "GetParamDefValue gave a default value");
        break;
      }
      case 13: {
        const bool nullOut = NullOutput();
        CheckResult(addin->HasRetVal(inputs_.MethodNumber(), nullOut ? nullptr : &result), "HasRetVal", nullOut);
        break;
      }
      case 14: {
        long number = random_.Chance(40) ? random_.Below(catalogue::kProcedureCount) : inputs_.MethodNumber();
        // ShowInStatusLine with a status line waits five seconds; it is tested elsewhere.
        if (number == 2 && d.statusLineOffered) number = 5;
        ParamsInput params;
        inputs_.Params(number, params, d.element);
        const HRESULT hr = addin->CallAsProc(number, params.Pointer());
        const bool procedure = number >= 0 && number < catalogue::kProcedureCount;
        Check(hr == (procedure ? S_OK : S_FALSE), "CallAsProc's HRESULT does not follow its number");
        CheckParamsFreed(params, "CallAsProc");
        break;
      }
      case 15: {
        const long number = inputs_.MethodNumber();
        ParamsInput params;
        inputs_.Params(number, params, d.element);
        const bool nullOut = NullOutput();
        VARIANT value;
        VariantInit(&value);
        const HRESULT hr = addin->CallAsFunc(number, nullOut ? nullptr : &value, params.Pointer());
        Check(hr == S_OK || (nullOut && hr == E_POINTER), "CallAsFunc did not return S_OK");
        Check(VariantClear(&value) == S_OK, "CallAsFunc left an invalid return value");
        CheckParamsFreed(params, "CallAsFunc");
        break;
      }
      case 16: {
        ParamsInput info;
        inputs_.Params(random_.Below(3), info, d.element);
        CheckResult(lifecycle->GetInfo(info.Pointer()), "GetInfo", info.Pointer() == nullptr);
        CheckParamsFreed(info, "GetInfo");
        break;
      }
      case 17:
        --calls_;
        InitWithoutConnection(lifecycle);
        break;
      case 18: {
        // The timer: started and stopped often, interleaved with everything else.
        const long number = random_.Chance(55) ? 3 : 4;
        ParamsInput params;
        inputs_.Params(number, params, d.element);
        Check(addin->CallAsProc(number, params.Pointer()) == S_OK, "StartTimer/StopTimer did not return S_OK");
        CheckParamsFreed(params, "CallAsProc");
        break;
      }
      case 19: {
        Bstr text = inputs_.Name();
        Check(locale->SetLocale(text.Get()) == S_OK, "SetLocale did not return S_OK");
        break;
      }
      default:
        // The platform's thread pauses now and then; a running timer gets to fire.
        --calls_;
        Sleep(static_cast<DWORD>(random_.Below(4)));
        break;
    }
  }

  Options options_;
  Random random_;
  BadInputs bad_;
  InputMaker inputs_;
  Failures failures_;
  std::array<std::unique_ptr<RunDoubles>, 4> ring_;
  long long calls_ = 0;
  long runs_ = 0;
  long runsWithoutDriver_ = 0;
  long timerEvents_ = 0;
  long eventsAfterDone_ = 0;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--calls") == 0 && i + 1 < argc)
      options.calls = std::atoll(argv[++i]);
    else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
      options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else
      return false;
  }
  return options.calls > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::printf("usage: storm_test [--calls N] [--seed S]\n");
    return 2;
  }
  CoInitialize(nullptr);  // the platform's thread is a single-threaded apartment
  CLSID driver;
  if (FAILED(CLSIDFromProgID(L"AddIn.BrivexAddInCOM", &driver)) || !IsEqualCLSID(driver, kMainDriverDoubleClsid)) {
    std::printf("storm: the main driver's ProgID does not name the test double here; run it through ctest or scripts/storm.sh\n");
    CoUninitialize();
    return 2;
  }
  const int status = Storm(options).Run();
  CoUninitialize();
  return status;
}
