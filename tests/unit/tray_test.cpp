#include "fixture.h"
#include "tray/tray_icon.h"

namespace zentab::test {
namespace {

using TrayTest = WatcherTest;

TEST(TrayRecord, TheTipIsEndedByOneNulAndPaddedWithSpacesOrCutToItsField) {
  const std::pair<std::string, std::string> cases[] = {
      {"Zentab Ver2.0", "Zentab Ver2.0" + std::string(1, '\0') + std::string(50, ' ')},
      {std::string(70, 'x'), std::string(63, 'x') + '\0'},
  };
  for (const auto& [tip, field] : cases) {
    const TrayIconData data = MakeTrayIconData(1, 2, tip);
    EXPECT_EQ(std::string(data.szTip.begin(), data.szTip.end()), field) << tip;
  }
}

TEST(TrayNotification, OnlyLeftDoubleClickAndRightButtonDownDoAnything) {
  EXPECT_EQ(DecodeTrayNotification(1, 515), TrayAction::ReopenAll);
  EXPECT_EQ(DecodeTrayNotification(1, 516), TrayAction::ShowMenu);
  for (int x : {0, 512, 513, 514, 517, 518, 519, 1027}) {
    EXPECT_EQ(DecodeTrayNotification(1, x), TrayAction::None) << x;
  }
  EXPECT_EQ(DecodeTrayNotification(2, 515), TrayAction::None);
  EXPECT_EQ(DecodeTrayNotification(3, 516), TrayAction::ShowMenu);
}

TEST_F(TrayTest, TheRightButtonOpensTheMenuWhoseItemShowsAHiddenWindowAndHidesAShownOne) {
  Load();
  view.Window().ChooseInNextPopup("TMCmdVisible");
  watcher.MouseDown("SysTrayPic", 1, 516);
  watcher.MouseDown("SysTrayPic", 1, 517);
  watcher.MouseDown("SysTrayPic", 1, 513);
  EXPECT_EQ(journal.entries,
            (Lines{"PopupMenu TaskTrayMenu default TMAllZentab", "Form.Visible 1"}));
  watcher.Click("TMCmdVisible");
  EXPECT_FALSE(view.Window().Visible());
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellRestartsButNotAfterExit) {
  ASSERT_TRUE(watcher.Load());
  const std::string added = journal.entries.at(3);
  journal.Clear();
  watcher.OnShellRestarted();
  EXPECT_EQ(journal.entries, (Lines{added}));

  watcher.Click("CmdExit");
  journal.Clear();
  watcher.OnShellRestarted();
  EXPECT_TRUE(journal.entries.empty());
}

}  // namespace
}  // namespace zentab::test
