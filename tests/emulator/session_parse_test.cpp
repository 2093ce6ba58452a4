#include <gtest/gtest.h>

#include "tools/emulator/session.h"

namespace {

using session::Step;

std::optional<std::wstring> ParseText(const std::wstring& text, std::vector<Step>& steps) {
  return session::Parse(L"s.session", text, steps);
}

TEST(SessionParse, ReadsEveryCommandAndKeepsLineNumbers) {
  std::vector<Step> steps;
  const auto error = ParseText(
      L"# heading\r\n\r\ncatalogue\r\n  call  ОткрытьСмену \"SIM-1\" empty  \r\nget IsEnabled\nset IsEnabled 0\n"
      L"wait 0.5\necho   Part two  \n   # indented comment\ncall Enable",
      steps);
  ASSERT_FALSE(error) << testing::PrintToString(*error);
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps[0].kind, Step::Kind::Catalogue);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[1].kind, Step::Kind::Call);
  EXPECT_EQ(steps[1].name, L"ОткрытьСмену");
  EXPECT_EQ(steps[1].source, L"call  ОткрытьСмену \"SIM-1\" empty");
  ASSERT_EQ(steps[1].args.size(), 2u);
  EXPECT_EQ(steps[1].args[0].text, L"SIM-1");
  EXPECT_EQ(steps[2].kind, Step::Kind::Get);
  EXPECT_EQ(steps[3].kind, Step::Kind::Set);
  EXPECT_EQ(steps[3].args[0].text, L"0");
  EXPECT_EQ(steps[4].kind, Step::Kind::Wait);
  EXPECT_DOUBLE_EQ(steps[4].seconds, 0.5);
  EXPECT_EQ(steps[5].kind, Step::Kind::Echo);
  EXPECT_EQ(steps[5].name, L"Part two");
  EXPECT_EQ(steps[6].line, 10);
}

TEST(SessionParse, ReportsTheFirstFaultWithFileAndLine) {
  const struct {
    const wchar_t* text;
    const wchar_t* error;
  } kCases[] = {
      {L"catalogue\nrun X", L"s.session:2: unknown command \"run\""},
      {L"Call X", L"s.session:1: unknown command \"Call\""},
      {L"\n\ncall", L"s.session:3: \"call\" needs a member name"},
      {L"catalogue now", L"s.session:1: \"catalogue\" takes nothing"},
      {L"get", L"s.session:1: \"get\" needs exactly one property name"},
      {L"set A 1 2", L"s.session:1: \"set\" needs a property name and one value"},
      {L"wait -1", L"s.session:1: \"wait\" needs a number of seconds"},
      {L"wait 601", L"s.session:1: \"wait\" needs a number of seconds"},
      {L"wait nan", L"s.session:1: \"wait\" needs a number of seconds"},
      {L"wait 2s", L"s.session:1: \"wait\" needs a number of seconds"},
      {L"call X \"open", L"s.session:1: unterminated quoted text"},
      {L"\"call\" X", L"s.session:1: a line begins with a command"},
      {L"call X 1 bool:maybe\nfrob", L"s.session:1: argument 2: \"bool:maybe\" is not a boolean"},
  };
  for (const auto& c : kCases) {
    std::vector<Step> steps;
    const auto error = ParseText(c.text, steps);
    ASSERT_TRUE(error) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(error->rfind(c.error, 0), 0u) << testing::PrintToString(*error);
  }
}

TEST(SessionParse, EmptyTextHasNoSteps) {
  std::vector<Step> steps;
  EXPECT_FALSE(ParseText(L"", steps));
  EXPECT_FALSE(ParseText(L"\n# only a comment\n", steps));
  EXPECT_TRUE(steps.empty());
}

}  // namespace
