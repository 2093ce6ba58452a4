#include "tools/emulator/arguments.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "support/bstr.h"

namespace arguments {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::optional<long> ToInteger(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const long long value = std::wcstoll(text.c_str(), &end, 10);
  if (*end != L'\0' || errno == ERANGE || value < LONG_MIN || value > LONG_MAX) return std::nullopt;
  return static_cast<long>(value);
}

std::optional<double> ToNumber(const std::wstring& text) {
  if (text.empty() || std::iswspace(text[0])) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const double value = std::wcstod(text.c_str(), &end);
  if (*end != L'\0' || errno == ERANGE) return std::nullopt;
  return value;
}

std::optional<bool> ToBoolean(const std::wstring& text) {
  if (text == L"true") return true;
  if (text == L"false") return false;
  return std::nullopt;
}

bool LooksNumeric(const std::wstring& text) {
  bool digit = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c >= L'0' && c <= L'9') digit = true;
    else if (!((c == L'-' || c == L'+') && i == 0) && c != L'.') return false;
  }
  return digit;
}

void SetText(Variant& value, const std::wstring& text) {
  VARIANT* v = value.Put();
  v->vt = VT_BSTR;
  v->bstrVal = Bstr(text).Detach();
}

void SetInteger(Variant& value, long number) {
  VARIANT* v = value.Put();
  v->vt = VT_I4;
  v->lVal = number;
}

void SetNumber(Variant& value, double number) {
  VARIANT* v = value.Put();
  v->vt = VT_R8;
  v->dblVal = number;
}

void SetBoolean(Variant& value, bool flag) {
  VARIANT* v = value.Put();
  v->vt = VT_BOOL;
  v->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

std::wstring Quoted(std::wstring_view text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'\n') out += L"\\n";
    else if (c == L'\r') out += L"\\r";
    else if (c == L'"' || c == L'\\') (out += L'\\') += c;
    else out += c;
  }
  return out + L"\"";
}

std::wstring Number(double value) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%.15g", value);
  return text;
}

}  // namespace

std::optional<std::wstring> SplitLine(std::wstring_view line, std::vector<Token>& tokens) {
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return std::nullopt;
    Token token;
    if (line[i] == L'"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const wchar_t c = line[i++];
        if (c == L'"') {
          closed = true;
          break;
        }
        if (c == L'\\' && i < line.size() && (line[i] == L'"' || line[i] == L'\\')) token.text += line[i++];
        else token.text += c;
      }
      if (!closed) return L"unterminated quoted text (a \" is missing)";
      if (i < line.size() && !IsBlank(line[i])) return L"a blank must follow the closing \"";
    } else {
      while (i < line.size() && !IsBlank(line[i])) token.text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
}

std::optional<std::wstring> Parse(const Token& token, Variant& value) {
  const std::wstring& text = token.text;
  if (token.quoted) {
    SetText(value, text);
    return std::nullopt;
  }
  const size_t colon = text.find(L':');
  const std::wstring prefix = colon == std::wstring::npos ? L"" : text.substr(0, colon);
  const std::wstring rest = colon == std::wstring::npos ? L"" : text.substr(colon + 1);
  if (prefix == L"text") {
    SetText(value, rest);
  } else if (prefix == L"int") {
    const auto number = ToInteger(rest);
    if (!number) return L"\"" + text + L"\" is not a 32-bit integer";
    SetInteger(value, *number);
  } else if (prefix == L"num") {
    const auto number = ToNumber(rest);
    if (!number) return L"\"" + text + L"\" is not a number";
    SetNumber(value, *number);
  } else if (prefix == L"bool") {
    const auto flag = ToBoolean(rest);
    if (!flag) return L"\"" + text + L"\" is not a boolean (true or false)";
    SetBoolean(value, *flag);
  } else if (text == L"empty") {
    value.Put();
  } else if (const auto flag = ToBoolean(text)) {
    SetBoolean(value, *flag);
  } else if (const auto integer = ToInteger(text)) {
    SetInteger(value, *integer);
  } else if (const auto number = LooksNumeric(text) ? ToNumber(text) : std::nullopt) {
    SetNumber(value, *number);
  } else {
    SetText(value, text);
  }
  return std::nullopt;
}

std::wstring TypeName(VARTYPE type) {
  static const struct {
    VARTYPE type;
    const wchar_t* name;
  } kNames[] = {
      {VT_EMPTY, L"VT_EMPTY"}, {VT_NULL, L"VT_NULL"},     {VT_I2, L"VT_I2"},         {VT_I4, L"VT_I4"},
      {VT_R4, L"VT_R4"},       {VT_R8, L"VT_R8"},         {VT_CY, L"VT_CY"},         {VT_DATE, L"VT_DATE"},
      {VT_BSTR, L"VT_BSTR"},   {VT_DISPATCH, L"VT_DISPATCH"}, {VT_ERROR, L"VT_ERROR"}, {VT_BOOL, L"VT_BOOL"},
      {VT_VARIANT, L"VT_VARIANT"}, {VT_UNKNOWN, L"VT_UNKNOWN"}, {VT_DECIMAL, L"VT_DECIMAL"}, {VT_I1, L"VT_I1"},
      {VT_UI1, L"VT_UI1"},     {VT_UI2, L"VT_UI2"},       {VT_UI4, L"VT_UI4"},       {VT_I8, L"VT_I8"},
      {VT_UI8, L"VT_UI8"},     {VT_INT, L"VT_INT"},       {VT_UINT, L"VT_UINT"},
  };
  const VARTYPE base = type & VT_TYPEMASK;
  std::wstring name = L"VT_" + std::to_wstring(base);
  for (const auto& entry : kNames)
    if (entry.type == base) name = entry.name;
  if (type & VT_ARRAY) name += L" | VT_ARRAY";
  if (type & VT_BYREF) name += L" | VT_BYREF";
  return name;
}

std::wstring Describe(const VARIANT& value) {
  const std::wstring type = TypeName(value.vt);
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return type;
    case VT_BSTR:
      return type + L" " + Quoted(Bstr::View(value.bstrVal));
    case VT_I4:
      return type + L" " + std::to_wstring(value.lVal);
    case VT_R8:
      return type + L" " + Number(value.dblVal);
    case VT_BOOL:
      // The raw value: the component's own true is 1, the platform's is -1.
      return type + L" " + std::to_wstring(value.boolVal) + (value.boolVal ? L" (true)" : L" (false)");
    default:
      break;
  }
  Variant text;
  if (!(value.vt & (VT_ARRAY | VT_BYREF)) &&
      SUCCEEDED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)))
    return type + L" " + Quoted(Bstr::View(text.Get()->bstrVal));
  return type;
}

}  // namespace arguments
