#include "addin/catalogue.h"

#include <cwchar>

#include "support/module_resources.h"

namespace catalogue {
namespace {

// Unsigned range test: negative numbers fall outside, as the platform expects.
bool Below(long number, long count) { return static_cast<unsigned long>(number) < static_cast<unsigned long>(count); }

bool Equals(std::wstring_view text, const wchar_t* literal) { return literal && text == literal; }

wchar_t Raise(wchar_t c) { return c >= L'\x0430' && c <= L'\x044F' ? static_cast<wchar_t>(c - 0x20) : c; }

// The names FindMethod compares, grouped by length. Two texts can only be equal
// when their lengths are, and raising Cyrillic letters keeps the length, so a
// name needs comparing only with the literals of its own length. Within a
// length the literals keep the order in which the lookup tries them: the exact
// names of the procedures 0 to 6 first, then the finder literals of the methods
// 7 to 31, each in number order; the first match therefore is the one a scan
// of all literals would find. Built at compile time from the catalogue table.
struct Literal {
  const wchar_t* text;
  long number;
  bool raised;  // compared with the raised name (finder literal), else with the exact name
};

constexpr size_t LengthOf(const wchar_t* text) {
  size_t length = 0;
  while (text[length]) ++length;
  return length;
}

template <class Visit>
constexpr void ForEachLiteral(Visit&& visit) {
  for (long number = 0; number < kProcedureCount; ++number)
    for (const wchar_t* name : {kMethods[number].english, kMethods[number].russian})
      if (name) visit(Literal{name, number, false});
  for (long number = kProcedureCount; number < kMethodCount; ++number)
    for (const wchar_t* name : {kMethods[number].finderEnglish, kMethods[number].finderRussian, kMethods[number].finderAlias})
      if (name) visit(Literal{name, number, true});
}

constexpr size_t CountLiterals() {
  size_t count = 0;
  ForEachLiteral([&](const Literal&) { ++count; });
  return count;
}

constexpr size_t LongestLiteral() {
  size_t longest = 0;
  ForEachLiteral([&](const Literal& literal) { longest = LengthOf(literal.text) > longest ? LengthOf(literal.text) : longest; });
  return longest;
}

constexpr size_t kLiteralCount = CountLiterals();
constexpr size_t kLongestLiteral = LongestLiteral();

struct LiteralIndex {
  Literal literals[kLiteralCount];
  size_t first[kLongestLiteral + 2];  // literals of length n: first[n] up to first[n + 1]
};

constexpr LiteralIndex BuildIndex() {
  LiteralIndex index{};
  size_t next = 0;
  for (size_t length = 0; length <= kLongestLiteral; ++length) {
    index.first[length] = next;
    ForEachLiteral([&](const Literal& literal) {
      if (LengthOf(literal.text) == length) index.literals[next++] = literal;
    });
  }
  index.first[kLongestLiteral + 1] = next;
  return index;
}

constexpr LiteralIndex kIndex = BuildIndex();

bool Matches(std::wstring_view name, const Literal& literal) {
  if (!literal.raised) return std::wmemcmp(name.data(), literal.text, name.size()) == 0;
  for (size_t i = 0; i < name.size(); ++i)
    if (Raise(name[i]) != literal.text[i]) return false;
  return true;
}

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
  for (wchar_t& c : raised) c = Raise(c);
  return raised;
}

long FindProp(std::wstring_view name) {
  for (const PropertyRow& row : kProperties)
    if (Equals(name, row.english) || Equals(name, row.russian)) return row.number;
  return -1;
}

long FindMethod(std::wstring_view name) {
  // The name pairs of the string table are generated from the catalogue
  // table, so the table's names are the names the string table holds.
  if (name.size() > kLongestLiteral) return -1;
  for (size_t i = kIndex.first[name.size()]; i < kIndex.first[name.size() + 1]; ++i)
    if (Matches(name, kIndex.literals[i])) return kIndex.literals[i].number;
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
