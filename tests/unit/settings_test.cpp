// The settings file applied to the main window: each key within its field, the defaults, and a
// past log not in use.
#include "fixture.h"

namespace zentab::test {
namespace {

using namespace main_window;
using SettingsTest = MainWindowTest;

struct InForce {
  int chkMode, disabledPastLog, maxWatch, maxLog, interval, through;
  bool operator==(const InForce&) const = default;
};

TEST_F(SettingsTest, StoredValuesAreReadWithinTheirFieldsAndTheDefaultsStandForTheRest) {
  const struct {
    std::map<std::string, std::string> option;
    InForce expected;
  } cases[] = {
      {{}, {2, 0, 10, 50, 5000, 0}},
      {{{"ChkMode", "1"},
        {"MaxWatch", "0x1E"},
        {"MaxLog", "120"},
        {"Through", "8"},
        {"Interval", "2500"}},
       {1, 0, 30, 120, 2500, 8}},
      // Outside the field's 16 bits, or empty: the key's default.
      {{{"MaxWatch", "40000"},
        {"MaxLog", "-32769"},
        {"Through", "32767"},
        {"ChkMode", "-32768"},
        {"DisabledPastLog", ""}},
       {-32768, 0, 10, 50, 5000, 32767}},
      // An interval of 0 would stop the scan for good; a negative one the timer cannot take.
      {{{"Interval", "0"}}, {2, 0, 10, 50, 5000, 0}},
      {{{"Interval", "-1000"}}, {2, 0, 10, 50, 5000, 0}},
      {{{"Interval", "2147483647"}}, {2, 0, 10, 50, 2147483647, 0}},
  };
  for (const auto& c : cases) {
    Ini() = c.option;
    Load();
    const InForce inForce{settings.ChkMode, settings.DisabledPastLog, settings.MaxWatch,
                          settings.MaxLog,  Timer().Interval(),       settings.Through};
    EXPECT_EQ(inForce, c.expected) << c.option.size();
    EXPECT_EQ(Caption(MaxWatchNum), "0/" + std::to_string(c.expected.maxWatch));
    EXPECT_EQ(Caption(MaxLogNum), "Max " + std::to_string(c.expected.maxLog) + "件");
  }
  Timer().maxInterval = 65535;
  Ini() = {{"Interval", "65536"}};
  Load();
  EXPECT_EQ(Timer().Interval(), 5000);
}

// Applying the settings again empties the past log and releases a pause.
TEST_F(SettingsTest, APastLogNotInUseSaysSoIsGreyedAndTakesNoLinesWhateverItsNonZeroValue) {
  Ini()["KeepSession"] = "0";
  for (const char* value : {"1", "7", "-1", "0"}) {
    const bool inUse = value == std::string("0");
    Ini()["DisabledPastLog"] = value;
    Load();
    PauseBox().UserSets(inUse ? 1 : PauseBox().Value());
    shell.OpenWindow("Page", "http://page.example/");
    Scan();
    shell.CloseWindow(0);
    EXPECT_EQ(LinesOf(PastLst), inUse ? Lines{} : Lines{kPastLogDisabledLine});
    EXPECT_EQ(List(PastLst).Enabled(), inUse) << value;
    EXPECT_EQ(PauseBox().Visible(), inUse) << value;
  }
  Load();
  EXPECT_TRUE(LinesOf(PastLst).empty());
  EXPECT_EQ(PauseBox().Value(), 0);
}

}  // namespace
}  // namespace zentab::test
