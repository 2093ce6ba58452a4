#include "addin/catalogue.h"

#include "support/module_resources.h"

namespace catalogue {
namespace {

// Unsigned range test: negative numbers fall outside, as the platform expects.
bool Below(long number, long count) { return static_cast<unsigned long>(number) < static_cast<unsigned long>(count); }

bool Equals(std::wstring_view text, const wchar_t* literal) { return literal && text == literal; }

}  // namespace

std::wstring LoadNamePair(int id, long alias) {
  const std::wstring_view pair = LoadResourceString(static_cast<UINT>(id));
  const size_t comma = pair.find(L',');
  if (comma == std::wstring_view::npos) return std::wstring(pair);
  switch (alias) {
    case 0:
      return std::wstring(pair.substr(0, comma));
    case 1:
      return std::wstring(pair.substr(comma + 1));
    default:
      return std::wstring();
  }
}

std::wstring RaiseCyrillic(std::wstring_view name) {
  std::wstring raised(name);
  for (wchar_t& c : raised)
    if (c >= L'\x0430' && c <= L'\x044F') c = static_cast<wchar_t>(c - 0x20);
  return raised;
}

long FindProp(std::wstring_view name) {
  for (const PropertyRow& row : kProperties)
    if (Equals(name, row.english) || Equals(name, row.russian)) return row.number;
  return -1;
}

long FindMethod(std::wstring_view name) {
  // The name pairs of the string table are generated from these rows, so the
  // table's names are the names the string table holds.
  for (long number = 0; number < kProcedureCount; ++number)
    if (Equals(name, kMethods[number].english) || Equals(name, kMethods[number].russian)) return number;
  const std::wstring raised = RaiseCyrillic(name);
  for (const MethodRow& row : kMethods)
    if (Equals(raised, row.finderEnglish) || Equals(raised, row.finderRussian) || Equals(raised, row.finderAlias))
      return row.number;
  return -1;
}

std::optional<std::wstring> PropertyName(long number, long alias) {
  if (!Below(number, kPropertyCount)) return std::nullopt;
  return LoadNamePair(kProperties[number].stringId, alias);
}

std::optional<std::wstring> MethodName(long number, long alias) {
  if (!Below(number, kNamedMethodCount)) return std::nullopt;
  return LoadNamePair(kMethods[number].stringId, alias);
}

std::optional<long> ParamCount(long number) {
  if (!Below(number, kMethodCount)) return std::nullopt;
  return kMethods[number].paramCount;
}

std::optional<bool> HasReturnValue(long number) {
  if (!Below(number, kNamedMethodCount)) return std::nullopt;
  return kMethods[number].kind == MemberKind::Function;
}

}  // namespace catalogue
