// The DLL's version block and manifest, read back from the built file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class VersionBlock : public testing::Test {
 protected:
  void SetUp() override {
    const DWORD size = GetFileVersionInfoSizeW(L"" ADDIN_DLL_PATH, nullptr);
    ASSERT_GT(size, 0u) << "no version block";
    block.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(L"" ADDIN_DLL_PATH, 0, size, block.data()));
  }
  std::wstring Text(const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904e4\\" + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<absent>";
    return static_cast<const wchar_t*>(value);
  }

  std::string block;
};

TEST_F(VersionBlock, FixedPartNamesVersion1_0_0_1OfAWin32Dll) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionBlock, UsEnglishStringTableDescribesTheLibrary) {
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  const std::wstring description = L"Brivex 1C KOLNA Protocol driver integration library";
  EXPECT_EQ(Text(L"FileDescription"), description);
  EXPECT_EQ(Text(L"ProductName"), description);
  EXPECT_EQ(Text(L"FileVersion"), L"2.0");
  EXPECT_EQ(Text(L"ProductVersion"), L"2.0");
  EXPECT_EQ(Text(L"InternalName"), L"AddInCOMIntegration.dll");
  EXPECT_EQ(Text(L"OriginalFilename"), L"AddInCOMIntegration.dll");
  for (const wchar_t* name : {L"CompanyName", L"LegalCopyright"}) {
    const std::wstring text = Text(name);
    EXPECT_NE(text, L"<absent>") << name;
    EXPECT_FALSE(text.empty()) << name;
  }
}

class DllResources : public testing::Test {
 protected:
  void SetUp() override {
    dll = LoadLibraryExW(L"" ADDIN_DLL_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dll, nullptr);
  }
  void TearDown() override {
    if (dll) FreeLibrary(dll);
  }
  // The resource in US English; empty when there is none.
  std::string Resource(LPCWSTR type, LPCWSTR name) {
    const HRSRC found = FindResourceExW(dll, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!found) return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(dll, found)));
    return data ? std::string(data, SizeofResource(dll, found)) : std::string();
  }

  HMODULE dll = nullptr;
};

TEST_F(DllResources, ManifestRequiresAdministratorWithUiAccessAndIsDpiAware) {
  const std::string manifest = Resource(RT_MANIFEST, MAKEINTRESOURCEW(2));
  ASSERT_FALSE(manifest.empty()) << "no manifest resource 2 in US English";
  EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="requireAdministrator" uiAccess="true"/>)"),
            std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find(R"(>true</dpiAware>)"), std::string::npos) << manifest;
}

TEST_F(DllResources, VersionBlockAndTypeLibraryAreUsEnglishResourcesOne) {
  EXPECT_FALSE(Resource(RT_VERSION, MAKEINTRESOURCEW(1)).empty());
  EXPECT_EQ(Resource(L"TYPELIB", MAKEINTRESOURCEW(1)).substr(0, 4), "MSFT");
}

}  // namespace
