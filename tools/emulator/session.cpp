#include "tools/emulator/session.h"

#include <windows.h>

#include <cerrno>
#include <cwchar>

#include "tools/emulator/console.h"

namespace session {
namespace {

std::wstring Trim(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t\r");
  if (first == std::wstring::npos) return {};
  const size_t last = text.find_last_not_of(L" \t\r");
  return text.substr(first, last - first + 1);
}

std::optional<std::wstring> ParseLine(const std::wstring& source, Step& step) {
  std::vector<arguments::Token> tokens;
  if (auto error = arguments::SplitLine(source, tokens)) return error;
  const std::wstring command = tokens.front().text;
  const size_t operands = tokens.size() - 1;
  if (tokens.front().quoted) return L"a line begins with a command, not with quoted text";
  if (command == L"catalogue") {
    if (operands != 0) return std::wstring(L"\"catalogue\" takes nothing after it");
    step.kind = Step::Kind::Catalogue;
  } else if (command == L"call") {
    if (operands == 0) return std::wstring(L"\"call\" needs a member name");
    step.kind = Step::Kind::Call;
    step.name = tokens[1].text;
    step.args.assign(tokens.begin() + 2, tokens.end());
  } else if (command == L"get") {
    if (operands != 1) return std::wstring(L"\"get\" needs exactly one property name");
    step.kind = Step::Kind::Get;
    step.name = tokens[1].text;
  } else if (command == L"set") {
    if (operands != 2) return std::wstring(L"\"set\" needs a property name and one value");
    step.kind = Step::Kind::Set;
    step.name = tokens[1].text;
    step.args.push_back(tokens[2]);
  } else if (command == L"wait") {
    wchar_t* end = nullptr;
    errno = 0;
    step.seconds = operands == 1 ? std::wcstod(tokens[1].text.c_str(), &end) : -1;
    if (operands != 1 || *end != L'\0' || errno == ERANGE || !(step.seconds >= 0 && step.seconds <= 600))
      return std::wstring(L"\"wait\" needs a number of seconds from 0 to 600");
    step.kind = Step::Kind::Wait;
  } else if (command == L"echo") {
    step.kind = Step::Kind::Echo;
    step.name = Trim(source.substr(source.find(L"echo") + 4));
  } else {
    return L"unknown command \"" + command + L"\" (expected catalogue, call, get, set, wait or echo)";
  }
  for (size_t i = 0; i < step.args.size(); ++i) {
    Variant value;
    if (auto error = arguments::Parse(step.args[i], value))
      return L"argument " + std::to_wstring(i + 1) + L": " + *error;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> Parse(const std::wstring& fileName, const std::wstring& text, std::vector<Step>& steps) {
  size_t start = 0;
  for (int line = 1; start <= text.size(); ++line) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring source = Trim(text.substr(start, end - start));
    start = end + 1;
    if (source.empty() || source[0] == L'#') continue;
    Step step;
    step.line = line;
    step.source = source;
    if (auto error = ParseLine(source, step)) return fileName + L":" + std::to_wstring(line) + L": " + *error;
    steps.push_back(std::move(step));
  }
  return std::nullopt;
}

std::optional<std::wstring> ReadFile(const std::wstring& path, std::wstring& text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"cannot open the session file \"" + path + L"\"";
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                          0) == 0 &&
      !bytes.empty())
    return L"the session file \"" + path + L"\" is not UTF-8 text";
  text = console::FromUtf8(bytes);
  return std::nullopt;
}

int Run(EmulatedPlatform& platform, const std::vector<Step>& steps) {
  int failures = 0;
  for (const Step& step : steps) {
    if (step.kind == Step::Kind::Echo) {
      console::Line(L"");
      console::Line(L"== " + step.name);
      continue;
    }
    console::Line(L"> " + step.source);
    bool ok = true;
    switch (step.kind) {
      case Step::Kind::Catalogue: platform.PrintCatalogue(); break;
      case Step::Kind::Call: ok = platform.Call(step.name, step.args); break;
      case Step::Kind::Get: ok = platform.GetProperty(step.name); break;
      case Step::Kind::Set: ok = platform.SetProperty(step.name, step.args.front()); break;
      case Step::Kind::Wait: platform.Wait(step.seconds); break;
      case Step::Kind::Echo: break;
    }
    if (!ok) ++failures;
  }
  return failures;
}

}  // namespace session
