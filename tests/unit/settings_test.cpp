#include "fixture.h"
#include "platform/profile_number.h"

namespace zentab::test {
namespace {

using SettingsTest = WatcherTest;

TEST_F(SettingsTest, ADisabledPastLogIsAppliedInItsOrder) {
  WriteIni("[Option]\nDisabledPastLog=7\n");
  view.ListBoxNamed("PastLst").AddItem("Gr 1 : old - http://old.example/");
  journal.Clear();
  ApplySettings();
  EXPECT_EQ(Calls({"IsPastLogMake", "PastLst"}),
            (Lines{"IsPastLogMake.Value 1", "IsPastLogMake.Visible 0", "PastLst.Clear",
                   "PastLst.AddItem 過去ログ機能は無効にされています。", "PastLst.Enabled 0"}));
  EXPECT_EQ(settings.DisabledPastLog, 7);

  // Scans log nothing then.
  shell.OpenWindow("Page", "http://page.example/");
  Scan();
  EXPECT_EQ(ListOf("PastLst"), (Lines{"過去ログ機能は無効にされています。"}));
}

TEST_F(SettingsTest, ApplyingAgainEmptiesThePastLogAndReleasesAPause) {
  ApplySettings();
  view.ListBoxNamed("PastLst").AddItem("Gr 1 : old - http://old.example/");
  PauseBox().UserSets(1);
  ApplySettings();
  EXPECT_TRUE(ListOf("PastLst").empty());
  EXPECT_EQ(PauseBox().Value(), 0);
  EXPECT_TRUE(view.ListBoxNamed("PastLst").Enabled());
}

TEST_F(SettingsTest, StoredValuesAreReadByTheProfileRulesWithinTheirFields) {
  const struct {
    const char* file;
    Values expected;
  } cases[] = {
      {"[option]\nmaxlog=120\nMaxWatch=abc\nChkMode= 1 \nThrough=8\nInterval=2500\n",
       {1, 0, 0, 120, 2500, 8}},
      {"[Option]\nMaxWatch=0x1E\nMaxLog=\"120\"\nThrough=0b101\nChkMode=+1x\n",
       {1, 0, 30, 120, 5000, 5}},
      // Outside the field's 16 bits: the key's default.
      {"[Option]\nMaxWatch=40000\nMaxLog=-32769\nThrough=32767\nChkMode=-32768\n",
       {-32768, 0, 10, 50, 5000, 32767}},
      // Beyond 32 bits: the default, not wrapped (about 14 days, and 1).
      {"[Option]\nInterval=99999999999\nMaxLog=4294967297\nMaxWatch=-2147483649\n", kDefaults},
      {"[Option]\nInterval=2147483647\nThrough=-2147483648\n", {2, 0, 10, 50, 2147483647, 0}},
      // 0 would stop the scan for good.
      {"[Option]\nInterval=0\n", kDefaults},
      {"[Option]\nInterval=-1000\n", kDefaults},
  };
  for (const auto& c : cases) {
    WriteIni(c.file);
    ApplySettings();
    EXPECT_EQ(InForce(), c.expected) << c.file;
  }
  view.TimerNamed("WatchTmr").SetMaxInterval(65535);
  WriteIni("[Option]\nInterval=65536\n");
  ApplySettings();
  EXPECT_EQ(Interval(), 5000);
}

TEST(ProfileNumber, DigitsBeyondTheSignedThirtyTwoBitRangeGiveNothing) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"2147483647", INT32_MAX},     {"2147483648", std::nullopt}, {"-2147483648", INT32_MIN},
      {"-2147483649", std::nullopt}, {"0x7FFFFFFF", INT32_MAX},    {"0x80000000", std::nullopt}};
  for (const auto& [text, number] : cases) EXPECT_EQ(ParseProfileNumber(text), number) << text;
}

TEST_F(SettingsTest, TheFileBesideTheProgramIsWrittenInCodePage932AndReadBack) {
  // At a drive root the separator is doubled, as the path is joined as it stands.
  EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\\\Zentab2.ini");
  ASSERT_TRUE(WriteIniString(shell, "User", "警告", "値"));
  ASSERT_TRUE(WriteIniString(shell, "Option", "MaxLog", -5));
  EXPECT_EQ(ReadBytes(IniPath()),
            "[User]\r\n\x8c\x78\x8d\x90=\x92\x6c\r\n[Option]\r\nMaxLog=-5\r\n");
  ApplySettings();
  EXPECT_EQ(settings.MaxLog, -5);
}

}  // namespace
}  // namespace zentab::test
