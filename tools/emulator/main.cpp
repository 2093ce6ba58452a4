// addin_emulator: behaves toward an add-in component as the platform does.
// See usage text below; exit status 0 on success, 1 when a call or a check
// failed, 2 for a faulty command line or session file, 3 when the component
// cannot be created.
#include <windows.h>

#include <string>
#include <vector>

#include "support/module_path.h"
#include "tools/emulator/console.h"
#include "tools/emulator/doctor.h"
#include "tools/emulator/platform.h"
#include "tools/emulator/session.h"

namespace {

constexpr wchar_t kDefaultProgId[] = L"AddIn.BrivexAddInCOMIntegration";

constexpr wchar_t kUsage[] =
    L"usage: addin_emulator [--progid PROGID] [--profile FILE] [COMMAND]\n"
    L"\n"
    L"commands:\n"
    L"  session [FILE]        run a session file (default: sessions\\default.session beside the program)\n"
    L"  catalogue             list properties and methods\n"
    L"  call NAME [ARG...]    call a member by name; arguments: \"text\", 42, 1.5, true, false, empty,\n"
    L"                        or with the type spelled out: text:42 int:42 num:42 bool:true\n"
    L"  get PROPERTY          read a property\n"
    L"  set PROPERTY VALUE    set a property\n"
    L"  doctor                explain the registration of the add-in and of its main driver\n"
    L"  help                  this text\n"
    L"\n"
    L"options:\n"
    L"  --progid PROGID       the component to create (default AddIn.BrivexAddInCOMIntegration)\n"
    L"  --profile FILE        the property-profile file (default addin_emulator.profile beside the program)\n"
    L"\n"
    L"Without a command the default session runs.";

enum ExitStatus { kOk = 0, kFailed = 1, kUsageError = 2, kNotCreated = 3 };

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH * 2];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
  return length > 0 && length < MAX_PATH * 2 ? std::wstring(full, length) : path;
}

struct Options {
  std::wstring progId = kDefaultProgId;
  std::wstring profile = ModuleDirectory(nullptr) + L"addin_emulator.profile";
  std::vector<std::wstring> command;  // the command and its operands
};

int UsageError(const std::wstring& message) {
  console::Error(L"addin_emulator: " + message);
  console::Error(L"(\"addin_emulator help\" shows the usage)");
  return kUsageError;
}

std::vector<arguments::Token> Tokens(const std::vector<std::wstring>& words, size_t from) {
  std::vector<arguments::Token> tokens;
  for (size_t i = from; i < words.size(); ++i) tokens.push_back({words[i], false});
  return tokens;
}

// Runs one command against the created component; the exit status.
int RunCommand(EmulatedPlatform& platform, const std::vector<std::wstring>& command,
               const std::vector<session::Step>& steps) {
  const std::wstring& name = command.front();
  if (name == L"session") return session::Run(platform, steps) == 0 ? kOk : kFailed;
  std::wstring echo = L">";
  for (const std::wstring& word : command) echo += L" " + word;
  console::Line(echo);
  if (name == L"catalogue") {
    platform.PrintCatalogue();
    return kOk;
  }
  if (name == L"call") return platform.Call(command[1], Tokens(command, 2)) ? kOk : kFailed;
  if (name == L"get") return platform.GetProperty(command[1]) ? kOk : kFailed;
  return platform.SetProperty(command[1], {command[2], false}) ? kOk : kFailed;
}

int Main(int argc, wchar_t** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::wstring word = argv[i];
    if (word == L"--progid" || word == L"--profile") {
      if (i + 1 >= argc) return UsageError(word + L" needs a value");
      (word == L"--progid" ? options.progId : options.profile) = argv[++i];
    } else if (word.rfind(L"--", 0) == 0) {
      return UsageError(L"unknown option " + word);
    } else {
      break;
    }
  }
  for (; i < argc; ++i) options.command.push_back(argv[i]);
  if (options.command.empty()) options.command.push_back(L"session");
  options.profile = FullPath(options.profile);

  const std::wstring& name = options.command.front();
  const size_t operands = options.command.size() - 1;
  if (name == L"help" || name == L"--help") {
    console::Line(kUsage);
    return kOk;
  }
  if (name == L"doctor") return doctor::Run(doctor::ProductComponents());
  std::vector<session::Step> steps;
  if (name == L"session") {
    if (operands > 1) return UsageError(L"\"session\" takes one file name");
    const std::wstring file = operands == 1 ? options.command[1] : ModuleDirectory(nullptr) + L"sessions\\default.session";
    std::wstring text;
    if (auto error = session::ReadFile(file, text)) return UsageError(*error);
    if (auto error = session::Parse(file, text, steps)) {
      console::Error(*error);
      return kUsageError;
    }
    console::Line(L"Session " + file);
  } else if (name == L"catalogue") {
    if (operands != 0) return UsageError(L"\"catalogue\" takes nothing after it");
  } else if (name == L"call") {
    if (operands == 0) return UsageError(L"\"call\" needs a member name");
  } else if (name == L"get") {
    if (operands != 1) return UsageError(L"\"get\" needs one property name");
  } else if (name == L"set") {
    if (operands != 2) return UsageError(L"\"set\" needs a property name and a value");
  } else {
    return UsageError(L"unknown command \"" + name + L"\"");
  }

  EmulatedPlatform platform(options.profile);
  if (!platform.Start(options.progId)) return kNotCreated;
  const int status = RunCommand(platform, options.command, steps);
  platform.Stop();
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  console::Start();
  // The platform's thread is a single-threaded apartment.
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int status = kFailed;
  try {
    status = Main(argc, argv);
  } catch (const std::exception&) {
    console::Error(L"addin_emulator: out of memory");
  }
  if (SUCCEEDED(hr)) CoUninitialize();
  return status;
}
