// The registry scripts of the DLL, applied by the registrar to an in-memory registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/registry_script.h"
#include "server/script_resource.h"
#include "tests/doubles/memory_registry.h"
#include "tests/registration/registry_entries.h"

namespace {

const std::wstring kModulePath = L"C:\\it's here\\AddInCOMIntegration.DLL";

std::wstring Script(UINT id, WORD language) {
  std::wstring text;
  EXPECT_EQ(LoadRegistryScriptText(id, language, text), S_OK) << "script " << id;
  return text;
}

class Registrar : public testing::Test {
 protected:
  RegistryResult Run(UINT id, ScriptDirection direction) {
    const std::wstring text = Script(id, id == kAppIdScriptId ? kAppIdScriptLanguage : kClassScriptLanguage);
    return RunText(text, direction);
  }
  RegistryResult RunText(const std::wstring& text, ScriptDirection direction) {
    const std::vector<ScriptReplacement> replacements{{L"MODULE", kModulePath}, {L"APPID", kAddInAppIdText}};
    return RunRegistryScript(text, replacements, registry, direction);
  }
  RegistryResult RegisterBoth() {
    const RegistryResult first = Run(kAppIdScriptId, ScriptDirection::Forward);
    return Failed(first) ? first : Run(kClassScriptId, ScriptDirection::Forward);
  }
  RegistryResult UnregisterBoth() {
    const RegistryResult first = Run(kClassScriptId, ScriptDirection::Backward);
    return Failed(first) ? first : Run(kAppIdScriptId, ScriptDirection::Backward);
  }
  std::wstring ValueOf(const std::wstring& path, const std::wstring& name = L"") {
    const std::wstring* data = registry.Value(path, name);
    return data ? *data : L"<absent>";
  }

  MemoryRegistry registry;
};

TEST_F(Registrar, ScriptsAreStoredUnderTheirLanguages) {
  std::wstring text;
  EXPECT_EQ(LoadRegistryScriptText(kAppIdScriptId, kAppIdScriptLanguage, text), S_OK);
  EXPECT_NE(text.find(L"%APPID%"), std::wstring::npos);
  EXPECT_EQ(LoadRegistryScriptText(kClassScriptId, kClassScriptLanguage, text), S_OK);
  EXPECT_NE(text.find(kAddInClsidText), std::wstring::npos);
  EXPECT_NE(text.find(kAddInLibIdText), std::wstring::npos);
  EXPECT_TRUE(FAILED(LoadRegistryScriptText(kClassScriptId, kAppIdScriptLanguage, text)));
}

TEST_F(Registrar, ForwardWritesEveryKeyAndValueOfBothScripts) {
  ASSERT_EQ(RegisterBoth(), kRegistryOk);
  for (const RegistryEntry& entry : ExpectedEntries(kModulePath))
    EXPECT_EQ(ValueOf(entry.key, entry.name), entry.data) << Narrow(entry.key) << " | " << Narrow(entry.name);
  EXPECT_EQ(registry.Dump().size(), 12u + 11u) << "twelve keys, eleven values and nothing else";
  EXPECT_EQ(registry.Value(kClassKey, L"AppID"), nullptr) << "the AppID is not written under the class";
}

TEST_F(Registrar, BackwardRemovesEverythingButTheSharedParents) {
  ASSERT_EQ(registry.CreateKey(L"CLSID\\{other}"), kRegistryOk);
  ASSERT_EQ(registry.CreateKey(L"AppID"), kRegistryOk);
  ASSERT_EQ(registry.SetString(L"AppID", L"", L"foreign"), kRegistryOk);
  const std::vector<std::wstring> before = registry.Dump();
  ASSERT_EQ(RegisterBoth(), kRegistryOk);
  ASSERT_EQ(UnregisterBoth(), kRegistryOk);
  EXPECT_EQ(registry.Dump(), before) << "foreign entries under the parents stay";
}

TEST_F(Registrar, BackwardOverNothingSucceedsAndCreatesNothing) {
  EXPECT_EQ(UnregisterBoth(), kRegistryOk);
  EXPECT_TRUE(registry.Dump().empty());
  EXPECT_EQ(registry.Changes(), 0u);
}

TEST_F(Registrar, ForwardAgainRemovesAStraySubkeyOfTheClass) {
  ASSERT_EQ(RegisterBoth(), kRegistryOk);
  const std::vector<std::wstring> registered = registry.Dump();
  ASSERT_EQ(registry.CreateKey(kClassKey + L"\\Stray\\Deeper"), kRegistryOk);
  ASSERT_EQ(registry.SetString(kClassKey, L"Leftover", L"1"), kRegistryOk);
  ASSERT_EQ(RegisterBoth(), kRegistryOk);
  EXPECT_EQ(registry.Dump(), registered) << "one set of entries, nothing from before";
}

TEST_F(Registrar, BackwardLeavesAClassKeyThatHoldsAForeignSubkey) {
  ASSERT_EQ(RegisterBoth(), kRegistryOk);
  ASSERT_EQ(registry.CreateKey(kClassKey + L"\\Stray"), kRegistryOk);
  EXPECT_EQ(UnregisterBoth(), kRegistryOk);
  EXPECT_EQ(ValueOf(kClassKey), L"BrivexAddInCOMIntegration Class");
  EXPECT_TRUE(registry.HasKey(kClassKey + L"\\Stray"));
  for (const wchar_t* named : {L"ProgID", L"VersionIndependentProgID", L"InprocServer32", L"TypeLib"})
    EXPECT_FALSE(registry.HasKey(kClassKey + L"\\" + named)) << Narrow(named);
  EXPECT_FALSE(registry.HasKey(L"AddIn.BrivexAddInCOMIntegration"));
  EXPECT_FALSE(registry.HasKey(L"AppID\\AddInCOMIntegration.DLL"));
}

TEST_F(Registrar, AFailurePartWayIsUndoneAndReturned) {
  // Counts the changes of a clean registration, then fails each one in turn.
  ASSERT_EQ(Run(kClassScriptId, ScriptDirection::Forward), kRegistryOk);
  const size_t changes = registry.Changes();
  ASSERT_GT(changes, 10u);
  const RegistryResult denied = static_cast<RegistryResult>(0x80070005u);
  for (size_t failing = 1; failing <= changes; ++failing) {
    MemoryRegistry fresh;
    ASSERT_EQ(fresh.CreateKey(L"CLSID"), kRegistryOk);
    const std::vector<std::wstring> before = fresh.Dump();
    fresh.FailChange(failing, denied);
    const std::wstring text = Script(kClassScriptId, kClassScriptLanguage);
    const std::vector<ScriptReplacement> replacements{{L"MODULE", kModulePath}};
    EXPECT_EQ(RunRegistryScript(text, replacements, fresh, ScriptDirection::Forward), denied) << "change " << failing;
    EXPECT_EQ(fresh.Dump(), before) << "change " << failing;
  }
}

TEST_F(Registrar, QuotesAndPercentSignsInReplacementsArriveUnchanged) {
  const std::vector<ScriptReplacement> replacements{{L"MODULE", L"C:\\a '' b' %%x%%\\A.DLL"}};
  ASSERT_EQ(RunRegistryScript(L"HKCR { K = s '%MODULE%' { val 'it''s' = s '100%%' } }", replacements, registry,
                              ScriptDirection::Forward),
            kRegistryOk);
  EXPECT_EQ(ValueOf(L"K"), L"C:\\a '' b' %%x%%\\A.DLL");
  EXPECT_EQ(ValueOf(L"K", L"it's"), L"100%");
}

TEST_F(Registrar, MalformedScriptsAreRefusedWithoutAnyChange) {
  std::wstring deep = L"HKCR {";
  for (int i = 0; i < 200; ++i) deep += L" K {";
  for (int i = 0; i < 200; ++i) deep += L" }";
  deep += L" }";
  const std::wstring cases[] = {
      L"HKCR { K { }",                     // a brace left open
      L"HKCR { K } }",                     // one brace too many
      L"HKCR { K = s 'open }",             // unterminated quote
      L"HKLM { K }",                       // a root other than the classes root
      L"HKCR { val V = s 'x' }",           // a value outside any key
      L"HKCR { K = d '1' }",               // a value type other than string
      L"HKCR { K = s }",                   // data missing
      L"HKCR { Delete K }",                // a marking this registrar does not carry out
      L"HKCR { NoRemove ForceRemove K }",  // two markings
      L"HKCR { 'a\\b' }",                  // a path where a name belongs
      L"HKCR { '' }",                      // an empty key name
      L"HKCR { K = s '%UNKNOWN%' }",       // an unknown replacement
      L"HKCR { K = s '50%' }",             // an unterminated replacement
      L"HKCR { = }",                       // a stray equals sign
      std::wstring(L"HKCR { K\0 }", 11),   // a NUL character
      deep,                                // nesting beyond any real script
  };
  for (const std::wstring& text : cases) {
    EXPECT_EQ(RunText(text, ScriptDirection::Forward), kScriptInvalid) << Narrow(text);
    EXPECT_EQ(RunText(text, ScriptDirection::Backward), kScriptInvalid) << Narrow(text);
  }
  EXPECT_EQ(registry.Changes(), 0u);
}

}  // namespace
