#include <gtest/gtest.h>

#include "tools/emulator/arguments.h"

namespace {

using arguments::Token;

Variant Parsed(const std::wstring& text, bool quoted = false) {
  Variant value;
  EXPECT_FALSE(arguments::Parse(Token{text, quoted}, value)) << "refused: " << testing::PrintToString(text);
  return value;
}

std::wstring Described(const std::wstring& text, bool quoted = false) {
  return arguments::Describe(*Parsed(text, quoted).Get());
}

TEST(Arguments, BareTokensTakeTheTypeTheyLookLike) {
  EXPECT_EQ(Described(L"42"), L"VT_I4 42");
  EXPECT_EQ(Described(L"-2147483648"), L"VT_I4 -2147483648");
  EXPECT_EQ(Described(L"+7"), L"VT_I4 7");
  EXPECT_EQ(Described(L"1.5"), L"VT_R8 1.5");
  EXPECT_EQ(Described(L".25"), L"VT_R8 0.25");
  // Beyond 32 bits an integer is still a number, not text.
  EXPECT_EQ(Described(L"2147483648"), L"VT_R8 2147483648");
  EXPECT_EQ(Described(L"true"), L"VT_BOOL -1 (true)");
  EXPECT_EQ(Described(L"false"), L"VT_BOOL 0 (false)");
  EXPECT_EQ(Described(L"empty"), L"VT_EMPTY");
  EXPECT_EQ(Described(L"SIM-1"), L"VT_BSTR \"SIM-1\"");
  EXPECT_EQ(Described(L"1.2.3"), L"VT_BSTR \"1.2.3\"");
  EXPECT_EQ(Described(L"-"), L"VT_BSTR \"-\"");
  EXPECT_EQ(Described(L"TRUE"), L"VT_BSTR \"TRUE\"");
}

TEST(Arguments, QuotedTokensAndTextPrefixAreAlwaysText) {
  EXPECT_EQ(Described(L"42", true), L"VT_BSTR \"42\"");
  EXPECT_EQ(Described(L"empty", true), L"VT_BSTR \"empty\"");
  EXPECT_EQ(Described(L"text:true"), L"VT_BSTR \"true\"");
  EXPECT_EQ(Described(L"text:"), L"VT_BSTR \"\"");
  EXPECT_EQ(Described(L"text:a:b"), L"VT_BSTR \"a:b\"");
}

TEST(Arguments, SpelledOutTypesConvertOrRefuse) {
  EXPECT_EQ(Described(L"int:-5"), L"VT_I4 -5");
  EXPECT_EQ(Described(L"num:5"), L"VT_R8 5");
  EXPECT_EQ(Described(L"bool:true"), L"VT_BOOL -1 (true)");
  for (const wchar_t* bad : {L"int:", L"int:1.5", L"int:2147483648", L"int:5x", L"num:", L"num:x", L"num: 5",
                             L"bool:yes", L"bool:"}) {
    Variant value;
    EXPECT_TRUE(arguments::Parse(Token{bad, false}, value)) << testing::PrintToString(std::wstring(bad));
  }
}

TEST(Arguments, SplitLineHonoursQuotesAndEscapes) {
  std::vector<Token> tokens;
  ASSERT_FALSE(arguments::SplitLine(L"  call  X \"a b\" \"say \\\"hi\\\" \\\\ \\n\" \"\"\t7 ", tokens));
  ASSERT_EQ(tokens.size(), 6u);
  EXPECT_EQ(tokens[2].text, L"a b");
  EXPECT_TRUE(tokens[2].quoted);
  EXPECT_EQ(tokens[3].text, L"say \"hi\" \\ \\n");  // only \" and \\ are escapes
  EXPECT_EQ(tokens[4].text, L"");
  EXPECT_TRUE(tokens[4].quoted);
  EXPECT_EQ(tokens[5].text, L"7");
  EXPECT_FALSE(tokens[5].quoted);
}

TEST(Arguments, SplitLineRefusesBrokenQuotes) {
  std::vector<Token> tokens;
  EXPECT_TRUE(arguments::SplitLine(L"call X \"open", tokens));
  tokens.clear();
  EXPECT_TRUE(arguments::SplitLine(L"call X \"ends\\\"", tokens));
  tokens.clear();
  EXPECT_TRUE(arguments::SplitLine(L"call X \"a\"b", tokens));
}

TEST(Arguments, DescribeShowsRawBooleansTextEscapesAndOtherTypes) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BOOL;
  value.boolVal = 1;  // the component's own true
  EXPECT_EQ(arguments::Describe(value), L"VT_BOOL 1 (true)");
  value.vt = VT_I2;
  value.iVal = -3;
  EXPECT_EQ(arguments::Describe(value), L"VT_I2 \"-3\"");
  value.vt = VT_NULL;
  EXPECT_EQ(arguments::Describe(value), L"VT_NULL");
  EXPECT_EQ(arguments::TypeName(VT_BSTR | VT_BYREF), L"VT_BSTR | VT_BYREF");
  EXPECT_EQ(Described(L"line\none\t\"x\"", true), L"VT_BSTR \"line\\none\t\\\"x\\\"\"");
}

}  // namespace
