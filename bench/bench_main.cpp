// Measures the component as the platform drives it, through the DLL's own
// class object, and prints each case's median time beside a baseline measured
// in the same run. Targets are reported, never asserted: the program fails
// only when it cannot measure.
//
// Usage: addin_bench [--short] [--dll PATH]
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "addin/catalogue_table.h"
#include "addin_identity.h"
#include "bench/bench_doubles.h"
#include "bench/stopwatch.h"
#include "host/main_driver.h"
#include "support/bstr.h"
#include "support/com_ptr.h"
#include "support/safe_array.h"
#include "support/variant.h"

namespace {

// The class that the build's Wine prefix maps the main driver's ProgID to
// (the test fixture "main_driver_progid" writes the same mapping).
constexpr CLSID kMainDriverClsid = {0x03288FC8, 0x259A, 0x445E, {0xB3, 0xA2, 0xB6, 0x23, 0xF4, 0x75, 0x8F, 0x7C}};
constexpr wchar_t kMainDriverClsidText[] = L"{03288FC8-259A-445E-B3A2-B623F4758F7C}";

constexpr double kFindMethodLimitNs = 1000;
constexpr double kFindMethodLimitRatio = 5;
constexpr double kForwardLimitRatio = 1.10;
constexpr double kCycleLimitRatio = 1.5;
constexpr double kDllLimitKiB = 300;

volatile long g_sink;  // keeps results alive so that no work is optimised away

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

struct Options {
  bool shortMode = false;
  std::wstring dll = L"" ADDIN_DLL_PATH;
};

struct Row {
  std::string name;
  Timing timing;
  std::string target;  // empty: reported only
  bool met = true;
};

// One component instance created through the DLL's class object and
// initialised with `connection`, with `driver` as its main driver or with none;
// Done and Release when it goes away.
class Session {
 public:
  Session(IClassFactory* factory, IDispatch* connection, BenchMainDriver* driver) {
    MainDriverClass installed(kMainDriverClsid, driver);
    factory->CreateInstance(nullptr, __uuidof(ILanguageExtender), addin_.PutVoid());
    if (addin_) lifecycle_ = addin_.As<IInitDone>();
    if (lifecycle_ && installed.Registered()) lifecycle_->Init(connection);
    initialised_ = lifecycle_ && installed.Registered();
  }
  ~Session() {
    if (lifecycle_) lifecycle_->Done();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  explicit operator bool() const { return initialised_; }
  ILanguageExtender* operator->() const { return addin_.Get(); }

 private:
  ComPtr<ILanguageExtender> addin_;
  ComPtr<IInitDone> lifecycle_;
  bool initialised_ = false;
};

// The main driver as the component holds it: created through COM, so that a
// direct call goes through its interface as the component's does.
ComPtr<ILanguageExtender> CreateDriverDirectly(BenchMainDriver& driver) {
  MainDriverClass installed(kMainDriverClsid, &driver);
  ComPtr<ILanguageExtender> direct;
  CoCreateInstance(kMainDriverClsid, nullptr, kMainDriverClassContext, __uuidof(ILanguageExtender), direct.PutVoid());
  return direct;
}

// Makes the main driver's ProgID name the benchmark's main driver. Writes the
// mapping only where the ProgID is not registered at all.
bool MapMainDriverProgId() {
  CLSID clsid;
  if (SUCCEEDED(CLSIDFromProgID(kMainDriverProgId, &clsid))) {
    if (IsEqualCLSID(clsid, kMainDriverClsid)) return true;
    std::printf("The ProgID AddIn.BrivexAddInCOM names another class here; run the benchmark in the build's prefix.\n");
    return false;
  }
  std::wstring key = std::wstring(kMainDriverProgId) + L"\\CLSID";
  const DWORD bytes = static_cast<DWORD>(sizeof(kMainDriverClsidText));
  return RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, kMainDriverClsidText, bytes) == ERROR_SUCCESS;
}

std::string Describe(double ns) {
  char text[32];
  if (ns >= 1e6)
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  else if (ns >= 1e4)
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  else
    std::snprintf(text, sizeof text, "%.1f ns", ns);
  return text;
}

void PrintTable(const std::vector<Row>& rows) {
  std::printf("%-52s %11s %11s %7s  %-20s %s\n", "case", "time/call", "baseline", "ratio", "target", "result");
  for (const Row& row : rows) {
    const bool hasBaseline = row.timing.baselineNs > 0;
    char ratio[16] = "-";
    if (hasBaseline) std::snprintf(ratio, sizeof ratio, "%.3f", row.timing.ratio);
    std::printf("%-52s %11s %11s %7s  %-20s %s\n", row.name.c_str(), Describe(row.timing.caseNs).c_str(),
                hasBaseline ? Describe(row.timing.baselineNs).c_str() : "-", ratio,
                row.target.empty() ? "-" : row.target.c_str(), row.target.empty() ? "" : row.met ? "met" : "MISSED");
  }
}

class Bench {
 public:
  Bench(const Options& options, IClassFactory* factory, GetClassObjectFn getClassObject)
      : stopwatch_(options.shortMode ? 9 : 101, options.shortMode ? 500 : 2000),
        factory_(factory),
        getClassObject_(getClassObject) {}

  bool Run() {
    if (!FindMethodCases() || !CatalogueCases()) return false;
    if (!ForwardCase() || !LocalAnswerCases() || !CycleCase()) return false;
    PrintTable(rows_);
    return true;
  }
  int Missed() const {
    int missed = 0;
    for (const Row& row : rows_) missed += row.target.empty() || row.met ? 0 : 1;
    return missed;
  }
  int Targets() const {
    int targets = 0;
    for (const Row& row : rows_) targets += row.target.empty() ? 0 : 1;
    return targets;
  }

 private:
  bool FindMethodCases() {
    std::unordered_map<std::wstring, long> names;
    for (const catalogue::MethodRow& row : catalogue::kMethods)
      for (const wchar_t* name : {row.english, row.russian, row.finderEnglish, row.finderRussian, row.finderAlias})
        if (name) names.emplace(name, row.number);

    struct Case {
      const char* label;
      const wchar_t* name;
      long expected;
    };
    const Case cases[] = {
        {"FindMethod demonstration \"ShowMessageBox\"", L"ShowMessageBox", 6},
        {"FindMethod fiscal \"OPERATIONFN\"", L"OPERATIONFN", 29},
        {"FindMethod fiscal, Russian small letters", L"напечататьтекстовыйдокумент", 27},
        {"FindMethod not found \"ProcessCheck\"", L"ProcessCheck", -1},
    };
    Session addin(factory_, &bareConnection_, nullptr);
    if (!addin) return Fail("cannot create and initialise the component");
    for (const Case& c : cases) {
      Bstr name(c.name);
      long number = -2;
      addin->FindMethod(name.Get(), &number);
      if (number != c.expected) return Fail("FindMethod gives an unexpected number");
      const std::wstring key(c.name);
      const Timing timing = stopwatch_.Measure(
          [&](long n) {
            long found = 0;
            for (long i = 0; i < n; ++i) addin->FindMethod(name.Get(), &found);
            g_sink = found;
          },
          [&](long n) {
            long found = 0;
            for (long i = 0; i < n; ++i) {
              const auto hit = names.find(key);
              found = hit == names.end() ? -1 : hit->second;
            }
            g_sink = found;
          });
      Add(c.label, timing, "<=1 us, <=5x",
          timing.caseNs <= kFindMethodLimitNs && timing.ratio <= kFindMethodLimitRatio);
    }
    return true;
  }

  bool CatalogueCases() {
    Session addin(factory_, &bareConnection_, nullptr);
    if (!addin) return Fail("cannot create and initialise the component");
    constexpr long kNamed = catalogue::kNamedMethodCount;
    std::vector<std::wstring> names;
    for (long i = 0; i < 2 * kNamed; ++i) {
      Bstr name;
      addin->GetMethodName(i % kNamed, i / kNamed, name.Put());
      names.emplace_back(name.View());
    }
    Add("GetMethodName, methods 0-29, both aliases",
        stopwatch_.Measure(
            [&](long n) {
              for (long i = 0; i < n; ++i) {
                BSTR name = nullptr;
                addin->GetMethodName(i % kNamed, (i / kNamed) % 2, &name);
                SysFreeString(name);
              }
            },
            [&](long n) {
              for (long i = 0; i < n; ++i) {
                const std::wstring& name = names[static_cast<size_t>(i % (2 * kNamed))];
                SysFreeString(SysAllocStringLen(name.data(), static_cast<UINT>(name.size())));
              }
            }));

    static long (*volatile lookup)(long) = [](long number) { return catalogue::kMethods[number].paramCount; };
    Add("GetNParams, methods 0-32",
        stopwatch_.Measure(
            [&](long n) {
              long count = 0, total = 0;
              for (long i = 0; i < n; ++i) {
                addin->GetNParams(i % catalogue::kMethodCount, &count);
                total += count;
              }
              g_sink = total;
            },
            [&](long n) {
              long total = 0;
              for (long i = 0; i < n; ++i) total += lookup(i % catalogue::kMethodCount);
              g_sink = total;
            }));
    return true;
  }

  // Runs `method` n times through `addin` with `params`, clearing each result.
  static void CallFunction(ILanguageExtender* addin, long method, VariantArray& params, long n) {
    VARIANT result;
    VariantInit(&result);
    for (long i = 0; i < n; ++i) {
      addin->CallAsFunc(method, &result, params.Address());
      VariantClear(&result);
    }
  }

  bool ForwardCase() {
    Session addin(factory_, &bareConnection_, &driver_);
    ComPtr<ILanguageExtender> direct = CreateDriverDirectly(driver_);
    if (!addin || !direct) return Fail("cannot set up the component with a main driver");
    constexpr long kProcessCheck = 14;
    VariantArray params(7);
    VARIANT probe;
    VariantInit(&probe);
    addin->CallAsFunc(kProcessCheck, &probe, params.Address());
    const bool forwarded = probe.vt == VT_BSTR;
    VariantClear(&probe);
    const Timing timing =
        stopwatch_.Measure([&](long n) { CallFunction(addin.operator->(), kProcessCheck, params, n); },
                           [&](long n) { CallFunction(direct.Get(), kProcessCheck, params, n); });
    Add(forwarded ? "CallAsFunc forwarded (ProcessCheck) vs driver direct"
                  : "CallAsFunc ProcessCheck: NOT FORWARDED (no dispatch)",
        timing, "<=1.10x", forwarded && timing.ratio <= kForwardLimitRatio);
    return true;
  }

  bool LocalAnswerCases() {
    constexpr long kDeviceTest = 11;
    constexpr long kGetDescription = 17;
    VariantArray descriptionParams(7), deviceTestParams(2);
    Session without(factory_, &bareConnection_, nullptr);
    if (!without) return Fail("cannot create and initialise the component");
    const Work descriptionWithout = [&](long n) { CallFunction(without.operator->(), kGetDescription, descriptionParams, n); };
    const Work deviceTestWithout = [&](long n) { CallFunction(without.operator->(), kDeviceTest, deviceTestParams, n); };
    Add("GetDescription, no main driver", stopwatch_.Measure(descriptionWithout, nullptr));
    Add("DeviceTest, no main driver", stopwatch_.Measure(deviceTestWithout, nullptr));

    Session with(factory_, &bareConnection_, &driver_);
    ComPtr<ILanguageExtender> direct = CreateDriverDirectly(driver_);
    if (!with || !direct) return Fail("cannot set up the component with a main driver");
    Add("GetDescription, main driver (base: without)",
        stopwatch_.Measure([&](long n) { CallFunction(with.operator->(), kGetDescription, descriptionParams, n); },
                           descriptionWithout));
    Add("DeviceTest, main driver (base: driver alone)",
        stopwatch_.Measure([&](long n) { CallFunction(with.operator->(), kDeviceTest, deviceTestParams, n); },
                           [&](long n) { CallFunction(direct.Get(), kDeviceTest, deviceTestParams, n); }));
    return true;
  }

  bool CycleCase() {
    MainDriverClass installed(kMainDriverClsid, &driver_);
    if (!installed.Registered()) return Fail("cannot register the main driver's class");
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(kMainDriverProgId, &clsid))) return Fail("the main driver's ProgID is not registered");
    bool complete = true;
    const Timing timing = stopwatch_.Measure(
        [&](long n) {
          for (long i = 0; i < n; ++i) {
            ComPtr<IClassFactory> factory;
            ComPtr<IInitDone> addin;
            complete &= SUCCEEDED(getClassObject_(CLSID_AddInCOMIntegration, IID_IClassFactory, factory.PutVoid())) &&
                        SUCCEEDED(factory->CreateInstance(nullptr, __uuidof(IInitDone), addin.PutVoid())) &&
                        addin->Init(&connection_) == S_OK && addin->Done() == S_OK;
          }
        },
        [&](long n) {
          for (long i = 0; i < n; ++i) {
            CLSID resolved;
            ComPtr<ILanguageExtender> driver;
            complete &= SUCCEEDED(CLSIDFromProgID(kMainDriverProgId, &resolved)) &&
                        SUCCEEDED(CoCreateInstance(resolved, nullptr, kMainDriverClassContext,
                                                   __uuidof(ILanguageExtender), driver.PutVoid()));
          }
        });
    if (!complete) return Fail("a platform cycle failed");
    Add("Platform cycle: class object..Init..Done..Release", timing, "<=1.5x",
        timing.ratio <= kCycleLimitRatio);
    return true;
  }

  using Work = Stopwatch::Work;

  void Add(const char* name, const Timing& timing, const char* target = "", bool met = true) {
    rows_.push_back({name, timing, target, met});
  }
  static bool Fail(const char* why) {
    std::printf("benchmark stopped: %s\n", why);
    return false;
  }

  Stopwatch stopwatch_;
  IClassFactory* factory_;
  GetClassObjectFn getClassObject_;
  BenchConnection bareConnection_{true};
  BenchConnection connection_;
  BenchMainDriver driver_;
  std::vector<Row> rows_;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--short") == 0)
      options.shortMode = true;
    else if (std::wcscmp(argv[i], L"--dll") == 0 && i + 1 < argc)
      options.dll = argv[++i];
    else
      return false;
  }
  return true;
}

// Prints the DLL's size and returns whether it meets the target.
bool ReportSize(const std::wstring& path, bool& met) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const double kib = static_cast<double>(data.nFileSizeLow) / 1024;
  const bool applies = sizeof(void*) == 4 && std::strcmp(ADDIN_BENCH_CONFIG, "Release") == 0;
  met = !applies || kib <= kDllLimitKiB;
  std::printf("DLL size: %lu bytes (%.1f KiB); target <=300 KiB for the 32-bit release build: %s\n",
              data.nFileSizeLow, kib, applies ? (met ? "met" : "MISSED") : "not applicable to this build");
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::printf("usage: addin_bench [--short] [--dll PATH]\n");
    return 2;
  }
  CoInitialize(nullptr);  // the platform's thread is a single-threaded apartment
  int status = 1;
  HMODULE dll = LoadLibraryW(options.dll.c_str());
  const auto getClassObject =
      dll ? reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")))
          : nullptr;
  ComPtr<IClassFactory> factory;
  bool sizeMet = true;
  if (!getClassObject || FAILED(getClassObject(CLSID_AddInCOMIntegration, IID_IClassFactory, factory.PutVoid()))) {
    std::printf("cannot load the component from %ls\n", options.dll.c_str());
  } else if (!MapMainDriverProgId()) {
    std::printf("cannot map the main driver's ProgID\n");
  } else {
    std::printf("AddInCOMIntegration benchmark (%s mode): median of %d samples per case\n",
                options.shortMode ? "short" : "full", options.shortMode ? 9 : 101);
    std::printf("DLL: %ls\n", options.dll.c_str());
    ReportSize(options.dll, sizeMet);
    Bench bench(options, factory.Get(), getClassObject);
    if (bench.Run()) {
      const int missed = bench.Missed() + (sizeMet ? 0 : 1);
      std::printf("targets met: %d of %d\n", bench.Targets() + 1 - missed, bench.Targets() + 1);
      status = 0;
    }
  }
  factory.Reset();
  CoUninitialize();
  return status;
}
