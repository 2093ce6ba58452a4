// The member catalogue as a readable table, asked of the component the way
// the platform asks it.
#include "support/bstr.h"
#include "support/variant.h"
#include "tools/emulator/console.h"
#include "tools/emulator/platform.h"

namespace {

std::wstring Column(std::wstring text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), L' ');
  return text + L"  ";
}

std::wstring Number(long value, size_t width) {
  std::wstring text = std::to_wstring(value);
  return std::wstring(text.size() < width ? width - text.size() : 0, L' ') + text + L"  ";
}

std::wstring YesNo(HRESULT hr, long flag) { return hr != S_OK ? L"?" : flag ? L"yes" : L"no"; }

}  // namespace

std::wstring EmulatedPlatform::MethodName(long number, long alias) {
  Bstr name;
  if (extender_->GetMethodName(number, alias, name.Put()) != S_OK) return {};
  return std::wstring(name.View());
}

void EmulatedPlatform::PrintCatalogue() {
  long count = 0;
  extender_->GetNProps(&count);
  console::Line(L"Properties (GetNProps: " + std::to_wstring(count) + L")");
  console::Line(L"  " + Column(L"No.", 3) + Column(L"English name", 16) + Column(L"Russian name", 16) +
                Column(L"Readable", 8) + Column(L"Writable", 8) + L"Value");
  for (long number = 0; number < count; ++number) {
    Bstr english, russian;
    extender_->GetPropName(number, 0, english.Put());
    extender_->GetPropName(number, 1, russian.Put());
    long readable = 0, writable = 0;
    const HRESULT readHr = extender_->IsPropReadable(number, &readable);
    const HRESULT writeHr = extender_->IsPropWritable(number, &writable);
    Variant value;
    const HRESULT valueHr = readable ? extender_->GetPropVal(number, value.Get()) : S_FALSE;
    console::Line(L"  " + Number(number, 3) + Column(std::wstring(english.View()), 16) +
                  Column(std::wstring(russian.View()), 16) + Column(YesNo(readHr, readable), 8) +
                  Column(YesNo(writeHr, writable), 8) +
                  (valueHr == S_OK ? arguments::Describe(*value.Get()) : std::wstring(L"-")));
  }
  extender_->GetNMethods(&count);
  console::Line(L"Methods (GetNMethods: " + std::to_wstring(count) + L")");
  console::Line(L"  " + Column(L"No.", 3) + Column(L"English name", 32) + Column(L"Russian name", 31) +
                Column(L"Params", 6) + L"Kind");
  for (long number = 0; number < count; ++number) {
    long params = 0, function = 0;
    extender_->GetNParams(number, &params);
    const bool reported = extender_->HasRetVal(number, &function) == S_OK;
    const std::wstring english = MethodName(number, 0), russian = MethodName(number, 1);
    console::Line(L"  " + Number(number, 3) + Column(english.empty() ? L"-" : english, 32) +
                  Column(russian.empty() ? L"-" : russian, 31) + Number(params, 6) +
                  (!reported ? L"(no name, no kind reported)" : function ? L"function" : L"procedure"));
  }
}
