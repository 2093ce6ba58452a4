// The method catalogue as the platform reads it: names in both languages,
// numbers, parameter counts, kinds and every finder spelling.
#include <gtest/gtest.h>

#include <climits>

#include "addin/catalogue.h"
#include "support/module_resources.h"
#include "tests/doubles/connection.h"
#include "tests/doubles/services.h"
#include "tests/support/addin.h"

namespace {

struct Expected {
  long number;
  const wchar_t* english;
  const wchar_t* russian;  // finder Russian literal for 7 to 31
  long params;
  bool function;
};

// Methods 7 to 29 as the platform's fiscal drivers know them.
const Expected kFiscal[] = {
    {7, L"GetLineLength", L"ПОЛУЧИТЬШИРИНУСТРОКИ", 2, true},
    {8, L"GetDataKKT", L"ПОЛУЧИТЬПАРАМЕТРЫККТ", 2, true},
    {9, L"GetParameters", L"ПОЛУЧИТЬПАРАМЕТРЫ", 1, true},
    {10, L"SetParameter", L"УСТАНОВИТЬПАРАМЕТР", 2, true},
    {11, L"DeviceTest", L"ТЕСТУСТРОЙСТВА", 2, true},
    {12, L"OpenShift", L"ОТКРЫТЬСМЕНУ", 5, true},
    {13, L"CloseShift", L"ЗАКРЫТЬСМЕНУ", 5, true},
    {14, L"ProcessCheck", L"СФОРМИРОВАТЬЧЕК", 7, true},
    {15, L"ReportCurrentStatusOfSettlements", L"ОТЧЕТОТЕКУЩЕМСОСТОЯНИИРАСЧЕТОВ", 3, true},
    {16, L"GetVersion", L"ПОЛУЧИТЬНОМЕРВЕРСИИ", 0, true},
    {17, L"GetDescription", L"ПОЛУЧИТЬОПИСАНИЕ", 7, true},
    {18, L"GetLastError", L"ПОЛУЧИТЬОШИБКУ", 1, true},
    {19, L"Open", L"ПОДКЛЮЧИТЬ", 1, true},
    {20, L"Close", L"ОТКЛЮЧИТЬ", 1, true},
    {21, L"GetAdditionalActions", L"ПОЛУЧИТЬДОПОЛНИТЕЛЬНЫЕДЕЙСТВИЯ", 1, true},
    {22, L"DoAdditionalAction", L"ВЫПОЛНИТЬДОПОЛНИТЕЛЬНОЕДЕЙСТВИЕ", 1, true},
    {23, L"GetCurrentStatus", L"ПОЛУЧИТЬТЕКУЩЕЕСОСТОЯНИЕ", 5, true},
    {24, L"OpenCashDrawer", L"ОТКРЫТЬДЕНЕЖНЫЙЯЩИК", 1, true},
    {25, L"PrintXReport", L"НАПЕЧАТАТЬОТЧЕТБЕЗГАШЕНИЯ", 2, true},
    {26, L"CashInOutcome", L"НАПЕЧАТАТЬЧЕКВНЕСЕНИЯВЫЕМКИ", 3, true},
    {27, L"PrintTextDocument", L"НАПЕЧАТАТЬТЕКСТОВЫЙДОКУМЕНТ", 2, true},
    {28, L"ProcessCorrectionCheck", L"СФОРМИРОВАТЬЧЕККОРРЕКЦИИ", 6, true},
    {29, L"OperationFN", L"ОПЕРАЦИЯФН", 4, true},
};
const Expected kDemos[] = {
    {0, L"Enable", nullptr, 0, false},        {1, L"Disable", nullptr, 0, false},
    {2, L"ShowInStatusLine", nullptr, 1, false}, {3, L"StartTimer", nullptr, 0, false},
    {4, L"StopTimer", nullptr, 0, false},     {5, L"OpenForm", nullptr, 0, false},
    {6, L"ShowMessageBox", nullptr, 0, false},
};

const long kBoundaries[] = {LONG_MIN, LONG_MIN + 1, -2, -1, 30, 31, 32, 33, 34, 1000, LONG_MAX - 1, LONG_MAX};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 0x20);
    if (c >= L'\x0410' && c <= L'\x042F') c = static_cast<wchar_t>(c + 0x20);
  }
  return text;
}

std::wstring MethodName(ILanguageExtender* addin, long number, long alias, HRESULT* hr = nullptr) {
  Bstr name;
  const HRESULT result = addin->GetMethodName(number, alias, name.Put());
  if (hr) *hr = result;
  EXPECT_NE(name.Get(), nullptr) << "names are never null BSTRs";
  return std::wstring(name.View());
}

long Find(ILanguageExtender* addin, const std::wstring& name, HRESULT* hr = nullptr) {
  Bstr text(name);
  long number = 12345;
  const HRESULT result = addin->FindMethod(text.Get(), &number);
  if (hr) *hr = result;
  return number;
}

class Catalogue : public testing::Test {
 protected:
  ComPtr<ILanguageExtender> addin = NewAddIn();
};

TEST_F(Catalogue, CountsThirtyThreeMethodsAndShowsTheQuery) {
  RecordingStatusLine statusLine;
  FakeConnection connection;
  connection.Offer<IStatusLine>(statusLine.As<IStatusLine>());
  AsIf<IInitDone>(addin)->Init(connection.As<IDispatch>());
  long methods = 0;
  EXPECT_EQ(addin->GetNMethods(&methods), S_OK);
  EXPECT_EQ(methods, 33);
  EXPECT_EQ(statusLine.texts, std::vector<std::wstring>{L"Query NMethods"});
  AsIf<IInitDone>(addin)->Done();
}

TEST_F(Catalogue, FiscalMethodsHaveTheirNamesCountsAndKinds) {
  for (const Expected& row : kFiscal) {
    SCOPED_TRACE(row.number);
    EXPECT_EQ(MethodName(addin.Get(), row.number, 0), row.english);
    EXPECT_EQ(MethodName(addin.Get(), row.number, 1), row.russian);
    long params = -1, function = -1;
    EXPECT_EQ(addin->GetNParams(row.number, &params), S_OK);
    EXPECT_EQ(params, row.params);
    EXPECT_EQ(addin->HasRetVal(row.number, &function), S_OK);
    EXPECT_EQ(function, 1);
  }
}

TEST_F(Catalogue, DemonstrationMembersAreProceduresWithRussianNames) {
  for (const Expected& row : kDemos) {
    SCOPED_TRACE(row.number);
    EXPECT_EQ(MethodName(addin.Get(), row.number, 0), row.english);
    const std::wstring russian = MethodName(addin.Get(), row.number, 1);
    EXPECT_FALSE(russian.empty());
    EXPECT_GE(russian[0], L'\x0410') << "the Russian name is written in Cyrillic";
    long params = -1, function = -1;
    EXPECT_EQ(addin->GetNParams(row.number, &params), S_OK);
    EXPECT_EQ(params, row.params);
    EXPECT_EQ(addin->HasRetVal(row.number, &function), S_OK);
    EXPECT_EQ(function, 0);
    // Found by their exact spelling only.
    EXPECT_EQ(Find(addin.Get(), row.english), row.number);
    EXPECT_EQ(Find(addin.Get(), russian), row.number);
    EXPECT_EQ(Find(addin.Get(), Lower(row.english)), -1);
    EXPECT_EQ(Find(addin.Get(), catalogue::RaiseCyrillic(russian)), -1);
  }
}

TEST_F(Catalogue, UnnamedMethodsHaveCountsOnly) {
  const long counts[] = {1, 1, 11};
  for (long number = 30; number <= 32; ++number) {
    long params = -1, function = 77;
    EXPECT_EQ(addin->GetNParams(number, &params), S_OK);
    EXPECT_EQ(params, counts[number - 30]);
    EXPECT_EQ(addin->HasRetVal(number, &function), S_FALSE);
    EXPECT_EQ(function, 77) << "output untouched";
    HRESULT hr;
    EXPECT_EQ(MethodName(addin.Get(), number, 0, &hr), L"");
    EXPECT_EQ(hr, S_FALSE);
  }
}

TEST_F(Catalogue, NumbersOutsideEachOperationsRange) {
  for (long number : kBoundaries) {
    SCOPED_TRACE(number);
    long params = -1, function = 77;
    HRESULT hr;
    EXPECT_EQ(addin->GetNParams(number, &params), number >= 30 && number <= 32 ? S_OK : S_FALSE);
    if (number < 30 || number > 32) {
      EXPECT_EQ(params, 0);
    }
    EXPECT_EQ(addin->HasRetVal(number, &function), S_FALSE);
    EXPECT_EQ(function, 77);
    EXPECT_EQ(MethodName(addin.Get(), number, 0, &hr), L"");
    EXPECT_EQ(hr, S_FALSE);
    VARIANT def;
    def.vt = VT_I4;
    EXPECT_EQ(addin->GetParamDefValue(number, 0, &def), S_FALSE);
    EXPECT_EQ(def.vt, VT_EMPTY);
  }
}

TEST_F(Catalogue, ParametersHaveNoDefaultValues) {
  for (long number = 0; number < 30; ++number) {
    VARIANT def;
    def.vt = VT_I4;
    EXPECT_EQ(addin->GetParamDefValue(number, 0, &def), S_OK);
    EXPECT_EQ(def.vt, VT_EMPTY);
  }
}

TEST_F(Catalogue, AliasesOtherThanZeroAndOneGiveEmptyNames) {
  for (long alias : {2L, -1L, LONG_MIN, LONG_MAX}) {
    HRESULT hr;
    EXPECT_EQ(MethodName(addin.Get(), 17, alias, &hr), L"");
    EXPECT_EQ(hr, S_OK);
  }
}

TEST_F(Catalogue, FiscalMethodsAreFoundInCapitalsAndAnyCaseOfRussian) {
  for (const Expected& row : kFiscal) {
    SCOPED_TRACE(row.number);
    std::wstring capitals = row.english;
    for (wchar_t& c : capitals) c = static_cast<wchar_t>(towupper(c));
    HRESULT hr;
    EXPECT_EQ(Find(addin.Get(), capitals, &hr), row.number);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(Find(addin.Get(), row.russian), row.number);
    EXPECT_EQ(Find(addin.Get(), Lower(row.russian)), row.number);
    const std::wstring firstCapital = row.russian[0] + Lower(row.russian).substr(1);
    EXPECT_EQ(Find(addin.Get(), firstCapital), row.number);
    // English names are found in capitals only.
    EXPECT_EQ(Find(addin.Get(), row.english, &hr), -1);
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(Find(addin.Get(), Lower(row.english)), -1);
  }
}

TEST_F(Catalogue, DataExchangeMembersAreFoundByTheirLiterals) {
  EXPECT_EQ(Find(addin.Get(), L"EXPORTDATA"), 30);
  EXPECT_EQ(Find(addin.Get(), L"ВЫГРУЗИТЬДАННЫЕ"), 30);
  EXPECT_EQ(Find(addin.Get(), L"выгрузитьданные"), 30);
  EXPECT_EQ(Find(addin.Get(), L"IMPORTDDATA"), 31);
  EXPECT_EQ(Find(addin.Get(), L"IMPORTDATA"), 31) << "the correct spelling is accepted too";
  EXPECT_EQ(Find(addin.Get(), L"ЗАГРУЗИТЬДАННЫЕ"), 31);
  EXPECT_EQ(Find(addin.Get(), L"загрузитьданные"), 31);
  EXPECT_EQ(Find(addin.Get(), L"exportdata"), -1);
}

TEST_F(Catalogue, NamesThatAreNotMethods) {
  HRESULT hr;
  for (const std::wstring& name : {std::wstring(), std::wstring(L"IsEnabled"), std::wstring(L"GetDescription"),
                                   std::wstring(L"OPEN\0X", 6), std::wstring(L"OPEN "), std::wstring(10000, L'A'),
                                   std::wstring(L"ЁЁ"), std::wstring(L"\xD800")}) {
    EXPECT_EQ(Find(addin.Get(), name, &hr), -1);
    EXPECT_EQ(hr, S_FALSE);
  }
  long number = 5;
  EXPECT_EQ(addin->FindMethod(nullptr, &number), S_FALSE);
  EXPECT_EQ(number, -1);
}

TEST_F(Catalogue, NullOutputPointersAreRefused) {
  Bstr name(L"Enable");
  EXPECT_EQ(addin->GetNMethods(nullptr), E_POINTER);
  EXPECT_EQ(addin->FindMethod(name.Get(), nullptr), E_POINTER);
  EXPECT_EQ(addin->GetMethodName(0, 0, nullptr), E_POINTER);
  EXPECT_EQ(addin->GetNParams(0, nullptr), E_POINTER);
  EXPECT_EQ(addin->GetParamDefValue(0, 0, nullptr), E_POINTER);
  EXPECT_EQ(addin->HasRetVal(0, nullptr), E_POINTER);
}

TEST(NamePairs, StringTableHoldsEveryPair) {
  for (const catalogue::MethodRow& row : catalogue::kMethods) {
    if (!row.stringId) continue;
    EXPECT_EQ(LoadResourceString(row.stringId), std::wstring(row.english) + L"," + row.russian);
  }
  EXPECT_EQ(catalogue::LoadNamePair(125, 0), L"GetDescription");
  EXPECT_EQ(catalogue::LoadNamePair(125, 1), L"ПОЛУЧИТЬОПИСАНИЕ");
  EXPECT_EQ(catalogue::LoadNamePair(125, 2), L"");
}

TEST(NamePairs, TextWithoutCommaIsTheWholeNameForEveryAlias) {
  const std::wstring whole(LoadResourceString(catalogue::kStatusLineMissingSourceId));
  ASSERT_FALSE(whole.empty());
  ASSERT_EQ(whole.find(L','), std::wstring::npos);
  EXPECT_EQ(catalogue::LoadNamePair(catalogue::kStatusLineMissingSourceId, 0), whole);
  EXPECT_EQ(catalogue::LoadNamePair(catalogue::kStatusLineMissingSourceId, 1), whole);
  EXPECT_EQ(catalogue::LoadNamePair(9999, 0), L"") << "a missing resource is an empty name";
}

TEST(NamePairs, RussianNamesSurviveANonCyrillicThreadLocale) {
  const LCID saved = GetThreadLocale();
  SetThreadLocale(0x0409);
  auto addin = NewAddIn();
  EXPECT_EQ(MethodName(addin.Get(), 17, 1), L"ПОЛУЧИТЬОПИСАНИЕ");
  EXPECT_EQ(Find(addin.Get(), L"получитьописание"), 17);
  SetThreadLocale(saved);
}

TEST(RaiseCyrillic, RaisesOnlyTheSmallLettersAToYa) {
  EXPECT_EQ(catalogue::RaiseCyrillic(L"абвгдежзийклмнопрстуфхцчшщъыьэюя"), L"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
  EXPECT_EQ(catalogue::RaiseCyrillic(L"ёЁabcXYZ123"), L"ёЁabcXYZ123");
  EXPECT_EQ(catalogue::RaiseCyrillic(std::wstring(L"а\0б", 3)), std::wstring(L"А\0Б", 3));
}

}  // namespace
