// FindMethod looks names up through an index by length; these tests hold it to
// the plain scan that the lookup is defined by, over every catalogue name and
// many near misses.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "addin/catalogue.h"

namespace {

using catalogue::kMethods;

// The lookup as defined: the exact name against the name pairs of methods 0 to
// 6, then the raised name against the finder literals of methods 7 to 31.
long ScanForMethod(std::wstring_view name) {
  for (long number = 0; number < catalogue::kProcedureCount; ++number)
    for (const wchar_t* literal : {kMethods[number].english, kMethods[number].russian})
      if (literal && name == literal) return number;
  const std::wstring raised = catalogue::RaiseCyrillic(name);
  for (const catalogue::MethodRow& row : kMethods)
    for (const wchar_t* literal : {row.finderEnglish, row.finderRussian, row.finderAlias})
      if (literal && raised == literal) return row.number;
  return -1;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 0x20);
    if (c >= L'\x0410' && c <= L'\x042F') c = static_cast<wchar_t>(c + 0x20);
  }
  return text;
}

// Every name the catalogue knows, its case variants, and near misses: one code
// unit changed, dropped or added, and every prefix.
std::set<std::wstring> Candidates() {
  std::vector<std::wstring> names;
  for (const catalogue::MethodRow& row : kMethods)
    for (const wchar_t* name : {row.english, row.russian, row.finderEnglish, row.finderRussian, row.finderAlias})
      if (name) names.emplace_back(name);
  for (const catalogue::PropertyRow& row : catalogue::kProperties) names.insert(names.end(), {row.english, row.russian});

  std::set<std::wstring> candidates{L"", std::wstring(1, L'\0'), std::wstring(200, L'A')};
  for (const std::wstring& name : names) {
    for (const std::wstring& variant : {name, Lower(name), catalogue::RaiseCyrillic(name)}) {
      candidates.insert(variant);
      candidates.insert(variant + L"X");
      candidates.insert(variant + std::wstring(1, L'\0'));
      for (size_t i = 0; i < variant.size(); ++i) {
        candidates.insert(variant.substr(0, i));
        candidates.insert(variant.substr(0, i) + variant.substr(i + 1));
        for (wchar_t replacement : {L'?', L'ё', L'Ё', L'а', static_cast<wchar_t>(variant[i] ^ 0x20)}) {
          std::wstring changed = variant;
          changed[i] = replacement;
          candidates.insert(changed);
        }
      }
    }
  }
  return candidates;
}

TEST(FindMethodIndex, GivesWhatTheScanGivesForEveryCandidate) {
  const std::set<std::wstring> candidates = Candidates();
  ASSERT_GT(candidates.size(), 5000u);
  size_t found = 0;
  for (const std::wstring& name : candidates) {
    const long expected = ScanForMethod(name);
    ASSERT_EQ(catalogue::FindMethod(name), expected) << "name of length " << name.size();
    found += expected != -1 ? 1 : 0;
  }
  EXPECT_GT(found, 100u) << "the candidates include the found names";
}

TEST(FindMethodIndex, EarlierMembersWinOverLaterOnesOfTheSameLength) {
  // "ОТКРЫТЬСМЕНУ" and "ЗАКРЫТЬСМЕНУ" share a length; each finds its own method.
  EXPECT_EQ(catalogue::FindMethod(L"открытьсмену"), 12);
  EXPECT_EQ(catalogue::FindMethod(L"ЗАКРЫТЬСМЕНУ"), 13);
  EXPECT_EQ(catalogue::FindMethod(L"IMPORTDATA"), 31);
  EXPECT_EQ(catalogue::FindMethod(L"EXPORTDATA"), 30);
  EXPECT_EQ(catalogue::FindMethod(L"Enable"), 0);
  EXPECT_EQ(catalogue::FindMethod(L"ENABLE"), -1);
}

}  // namespace
