#include "fixture.h"

namespace zentab::test {
namespace {

class SettingsTest : public WatcherTest {
 protected:
  void Apply() { LoadSettings(shell, settings, MainWindowTargets()); }
  std::int32_t Interval() { return view.TimerNamed("WatchTmr").Interval(); }
};

TEST_F(SettingsTest, WithoutAFileEveryKeyTakesItsDefaultAndNoFileIsCreated) {
  Apply();
  EXPECT_EQ(settings.ChkMode, 2);
  EXPECT_EQ(settings.DisabledPastLog, 0);
  EXPECT_EQ(settings.MaxWatch, 10);
  EXPECT_EQ(settings.MaxLog, 50);
  EXPECT_EQ(settings.Through, 0);
  EXPECT_EQ(Interval(), 5000);
  EXPECT_EQ(Caption("MaxWatchNum"), "0/10");
  EXPECT_EQ(Caption("MaxLogNum"), "Max 50件");
  EXPECT_TRUE(view.CheckBoxNamed("IsPastLogMake").Visible());
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(SettingsTest, ADisabledPastLogIsAppliedInItsOrder) {
  WriteIni("[Option]\nDisabledPastLog=1\n");
  view.ListBoxNamed("PastLst").AddItem("Gr 1 : old - http://old.example/");
  journal.Clear();
  Apply();
  EXPECT_EQ(
      Calls({"IsPastLogMake", "PastLst", "MaxWatchNum", "MaxLogNum", "WatchTmr", "ReadProfileInt"}),
      (Lines{
          "ReadProfileInt Option ChkMode 2 " + folder.Path().string() + "\\Zentab2.ini",
          "ReadProfileInt Option DisabledPastLog 0 " + folder.Path().string() + "\\Zentab2.ini",
          "IsPastLogMake.Value 1",
          "IsPastLogMake.Visible 0",
          "PastLst.Clear",
          "PastLst.AddItem 過去ログ機能は無効にされています。",
          "PastLst.Enabled 0",
          "ReadProfileInt Option MaxWatch 10 " + folder.Path().string() + "\\Zentab2.ini",
          "MaxWatchNum.Caption 0/10",
          "ReadProfileInt Option MaxLog 50 " + folder.Path().string() + "\\Zentab2.ini",
          "MaxLogNum.Caption Max 50件",
          "ReadProfileInt Option Interval 5000 " + folder.Path().string() + "\\Zentab2.ini",
          "WatchTmr.Interval 5000",
          "ReadProfileInt Option Through 0 " + folder.Path().string() + "\\Zentab2.ini",
      }));
}

TEST_F(SettingsTest, ApplyingAgainEmptiesThePastLogAndReleasesAPause) {
  Apply();
  view.ListBoxNamed("PastLst").AddItem("Gr 1 : old - http://old.example/");
  view.CheckBoxNamed("IsPastLogMake").UserSets(1);
  Apply();
  EXPECT_TRUE(ListOf("PastLst").empty());
  EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 0);
  EXPECT_TRUE(view.ListBoxNamed("PastLst").Enabled());
}

TEST_F(SettingsTest, StoredValuesAreReadByTheProfileRules) {
  WriteIni("[option]\nmaxlog=120\nMaxWatch=abc\nChkMode= 1 \nThrough=8\nInterval=2500\n");
  Apply();
  EXPECT_EQ(settings.MaxLog, 120);
  EXPECT_EQ(Caption("MaxLogNum"), "Max 120件");
  EXPECT_EQ(settings.MaxWatch, 0);
  EXPECT_EQ(Caption("MaxWatchNum"), "0/0");
  EXPECT_EQ(settings.ChkMode, 1);
  EXPECT_EQ(settings.Through, 8);
  EXPECT_EQ(Interval(), 2500);
}

TEST_F(SettingsTest, NumbersOutsideTheirFieldReadAsTheKeysDefault) {
  WriteIni("[Option]\nMaxWatch=40000\nMaxLog=-32769\nThrough=32767\nChkMode=-32768\n");
  Apply();
  EXPECT_EQ(settings.MaxWatch, 10);
  EXPECT_EQ(settings.MaxLog, 50);
  EXPECT_EQ(settings.Through, 32767);
  EXPECT_EQ(settings.ChkMode, -32768);
}

TEST_F(SettingsTest, NumbersAreReadWithTheirBasePrefixAndQuotes) {
  WriteIni("[Option]\nMaxWatch=0x1E\nMaxLog=\"120\"\nThrough=0b101\nChkMode=+1x\n");
  Apply();
  EXPECT_EQ(settings.MaxWatch, 30);
  EXPECT_EQ(settings.MaxLog, 120);
  EXPECT_EQ(settings.Through, 5);
  EXPECT_EQ(settings.ChkMode, 1);
}

TEST_F(SettingsTest, DigitsBeyondThirtyTwoBitsReadAsTheDefaultInsteadOfWrapping) {
  // Wrapped, 99999999999 would be about 14 days, and 4294967297 would be 1.
  WriteIni("[Option]\nInterval=99999999999\nMaxLog=4294967297\nMaxWatch=-2147483649\n");
  Apply();
  EXPECT_EQ(Interval(), 5000);
  EXPECT_EQ(settings.MaxLog, 50);
  EXPECT_EQ(settings.MaxWatch, 10);
  WriteIni("[Option]\nInterval=2147483647\nThrough=-2147483648\n");
  Apply();
  EXPECT_EQ(Interval(), 2147483647);
  EXPECT_EQ(settings.Through, 0);  // in 32 bits, but not in the field's 16
}

TEST_F(SettingsTest, AnIntervalTheTimerCannotTakeReadsAsFiveSeconds) {
  view.TimerNamed("WatchTmr").SetMaxInterval(65535);
  for (const char* value : {"0", "-1000", "65536", "abc"}) {
    WriteIni(std::string("[Option]\nInterval=") + value + "\n");
    Apply();
    EXPECT_EQ(Interval(), 5000) << value;
  }
  WriteIni("[Option]\nInterval=65535\n");
  Apply();
  EXPECT_EQ(Interval(), 65535);
}

TEST_F(SettingsTest, TheFileSitsBesideTheProgramAndAtADriveRootTheSeparatorIsDoubled) {
  EXPECT_EQ(SettingsFilePath("C:\\Tools\\Zentab"), "C:\\Tools\\Zentab\\Zentab2.ini");
  EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\\\Zentab2.ini");
  shell.SetExeFolder("C:\\");
  GetIniInt(shell, "Option", "MaxLog", 50);
  EXPECT_EQ(journal.entries.back(), "ReadProfileInt Option MaxLog 50 C:\\\\Zentab2.ini");
}

TEST_F(SettingsTest, WritesCreateTheFileInCodePage932WithCrLfAndReplaceValues) {
  const std::string warning =
      "このファイルを直接操作すると予期しない動作をする場合があります。"
      "必ずソフト本体のオプションから設定してください。";
  WriteIniString(shell, "User", "警告", warning);
  WriteIniString(shell, "Option", "ChkMode", 2);
  WriteIniString(shell, "Option", "MaxLog", -5);
  WriteIniString(shell, "Option", "ChkMode", 0);
  EXPECT_EQ(ReadBytes(IniPath()), "[User]\r\n" + ToCodePage932("警告=" + warning) +
                                      "\r\n[Option]\r\nChkMode=0\r\nMaxLog=-5\r\n");
  EXPECT_EQ(ToCodePage932("警告"), "\x8c\x78\x8d\x90");
  Apply();
  EXPECT_EQ(settings.MaxLog, -5);
}

}  // namespace
}  // namespace zentab::test
