// The texts of the description and the device test, built without the component.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fiscal/description.h"
#include "fiscal/device_test.h"

namespace {

TEST(DescriptionValues, SevenTextsInElementOrder) {
  for (bool created : {true, false}) {
    std::vector<std::wstring> values;
    EXPECT_TRUE(fiscal::BuildDescriptionValues(values, created));
    const std::vector<std::wstring> expected = {
        L"KOLNA HTTP Driver",
        L"Драйвер работает с кассамми БРИВЕКС по HTTP протоколу КОЛНА (интеграционная библиотека)",
        L"ККТ",
        L"2004",
        L"true",
        created ? L"true" : L"false",
        L"",
    };
    EXPECT_EQ(values, expected);
  }
}

TEST(DeviceTestValues, VersionTextThenInstalledDriverText) {
  std::vector<std::wstring> alone;
  EXPECT_TRUE(fiscal::BuildDeviceTestValues(alone, false));
  ASSERT_EQ(alone.size(), 2u);
  EXPECT_EQ(alone[0], L" Версия интеграционной DLL 23082019");
  EXPECT_EQ(alone[0].size(), 35u);
  EXPECT_EQ(alone[1], L"");

  std::vector<std::wstring> joined;
  EXPECT_TRUE(fiscal::BuildDeviceTestValues(joined, true));
  ASSERT_EQ(joined.size(), 2u);
  EXPECT_EQ(joined[0], L" Версия интеграционной DLL 23082019 Основная поставка драйвера установлена ");
  EXPECT_EQ(joined[0].size(), 75u);
  EXPECT_EQ(joined[1], L"");
}

}  // namespace
