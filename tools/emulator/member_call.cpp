// Calling one member by name, as the platform does: FindMethod with the name as
// typed, GetNParams, HasRetVal, then CallAsProc or CallAsFunc with a parameter
// array; and reading and setting properties by name.
#include <cwctype>

#include "support/bstr.h"
#include "support/safe_array.h"
#include "tools/emulator/console.h"
#include "tools/emulator/hresult_text.h"
#include "tools/emulator/platform.h"

namespace {

std::wstring Upper(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Plural(long count, const wchar_t* word) {
  return std::to_wstring(count) + L" " + word + (count == 1 ? L"" : L"s");
}

}  // namespace

void EmulatedPlatform::HintForMissingMember(const std::wstring& name) {
  long methods = 0;
  extender_->GetNMethods(&methods);
  const std::wstring wanted = Upper(name);
  for (long number = 0; number < methods; ++number) {
    const std::wstring english = MethodName(number, 0), russian = MethodName(number, 1);
    if (english.empty() || (Upper(english) != wanted && Upper(russian) != wanted)) continue;
    long found = -1;
    Bstr capitals(Upper(english));
    if (extender_->FindMethod(capitals.Get(), &found) == S_OK && found == number) {
      console::Line(L"  hint: this is " + english + L" (" + std::to_wstring(number) +
                    L"); the platform finds it by its English name in capitals (\"" + Upper(english) +
                    L"\") or by its Russian name in any case (\"" + russian + L"\")");
    } else {
      console::Line(L"  hint: this is " + english + L" (" + std::to_wstring(number) +
                    L"); the platform finds it only when written exactly: \"" + english + L"\" or \"" + russian +
                    L"\"");
    }
    return;
  }
  long property = -1;
  Bstr asProperty(name);
  if (extender_->FindProp(asProperty.Get(), &property) == S_OK)
    console::Line(L"  hint: \"" + name + L"\" is a property: use \"get " + name + L"\" or \"set " + name +
                  L" VALUE\"");
  else
    console::Line(L"  hint: \"catalogue\" lists every member");
}

bool EmulatedPlatform::Call(const std::wstring& name, const std::vector<arguments::Token>& args) {
  long number = -1;
  Bstr typed(name);
  HRESULT hr = extender_->FindMethod(typed.Get(), &number);
  console::Line(L"  FindMethod(\"" + name + L"\"): " + std::to_wstring(number) + L", " + HResultText(hr));
  if (hr != S_OK || number < 0) {
    console::Line(L"  member not found: \"" + name + L"\"");
    HintForMissingMember(name);
    return false;
  }
  long params = 0, function = 0;
  extender_->GetNParams(number, &params);
  const bool reported = extender_->HasRetVal(number, &function) == S_OK;
  if (!reported) function = 1;  // an unnamed member: only CallAsFunc reaches it
  const std::wstring english = MethodName(number, 0), russian = MethodName(number, 1);
  console::Line(L"  " + (english.empty() ? L"(unnamed)" : english + L" / " + russian) + L": " +
                (function ? L"function" : L"procedure") + (reported ? L"" : L" (HasRetVal: S_FALSE)") + L", " +
                Plural(params, L"parameter"));
  if (static_cast<long>(args.size()) > params) {
    console::Line(L"  too many arguments: " + Plural(static_cast<long>(args.size()), L"argument") + L" given, " +
                  Plural(params, L"parameter") + L" taken");
    return false;
  }
  VariantArray array(static_cast<ULONG>(params));
  for (size_t i = 0; i < args.size(); ++i) {
    Variant value;
    if (const auto error = arguments::Parse(args[i], value)) {
      console::Line(L"  argument " + std::to_wstring(i + 1) + L": " + *error);
      return false;
    }
    array.Set(static_cast<long>(i), *value.Get());
  }
  const long given = static_cast<long>(args.size());
  if (given + 1 == params)
    console::Line(L"  parameter " + std::to_wstring(given) + L" not given: passed as VT_EMPTY");
  else if (given < params)
    console::Line(L"  parameters " + std::to_wstring(given) + L" to " + std::to_wstring(params - 1) +
                  L" not given: passed as VT_EMPTY");
  Variant result;
  if (function) {
    hr = extender_->CallAsFunc(number, result.Get(), array.Address());
    console::Line(L"  CallAsFunc(" + std::to_wstring(number) + L"): " + HResultText(hr));
    console::Line(L"  return value: " + arguments::Describe(*result.Get()));
  } else {
    hr = extender_->CallAsProc(number, array.Address());
    console::Line(L"  CallAsProc(" + std::to_wstring(number) + L"): " + HResultText(hr));
  }
  for (long i = 0; i < array.Size(); ++i)
    console::Line(L"  [" + std::to_wstring(i) + L"] " + arguments::Describe(*array.Element(i).Get()));
  return true;
}

long EmulatedPlatform::FindProperty(const std::wstring& name) {
  long number = -1;
  Bstr typed(name);
  const HRESULT hr = extender_->FindProp(typed.Get(), &number);
  console::Line(L"  FindProp(\"" + name + L"\"): " + std::to_wstring(number) + L", " + HResultText(hr));
  if (hr != S_OK || number < 0) {
    console::Line(L"  property not found: \"" + name + L"\" (property names are compared exactly)");
    return -1;
  }
  return number;
}

bool EmulatedPlatform::GetProperty(const std::wstring& name) {
  const long number = FindProperty(name);
  if (number < 0) return false;
  long readable = 0;
  extender_->IsPropReadable(number, &readable);
  if (!readable) {
    console::Line(L"  IsPropReadable: 0, the property cannot be read");
    return false;
  }
  Variant value;
  const HRESULT hr = extender_->GetPropVal(number, value.Get());
  console::Line(L"  GetPropVal(" + std::to_wstring(number) + L"): " + HResultText(hr) + L", " +
                arguments::Describe(*value.Get()));
  return true;
}

bool EmulatedPlatform::SetProperty(const std::wstring& name, const arguments::Token& token) {
  Variant value;
  if (const auto error = arguments::Parse(token, value)) {
    console::Line(L"  value: " + *error);
    return false;
  }
  const long number = FindProperty(name);
  if (number < 0) return false;
  long writable = 0;
  extender_->IsPropWritable(number, &writable);
  if (!writable) {
    console::Line(L"  IsPropWritable: 0, the property cannot be set");
    return false;
  }
  const HRESULT hr = extender_->SetPropVal(number, value.Get());
  console::Line(L"  SetPropVal(" + std::to_wstring(number) + L", " + arguments::Describe(*value.Get()) + L"): " +
                HResultText(hr));
  return true;
}
