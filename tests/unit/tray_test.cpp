#include "fixture.h"
#include "tray/tray_icon.h"

namespace zentab::test {
namespace {

using TrayTest = WatcherTest;

TEST_F(TrayTest, TheRecordIsFilledForThisPlatform) {
  Load();
  const TrayIconData& data = watcher.TrayIcon();
  EXPECT_EQ(data.cbSize, sizeof(void*) == 8 ? 104u : 88u);
  EXPECT_EQ(data.hWnd, view.PictureBoxNamed("SysTrayPic").Handle());
  EXPECT_NE(data.hWnd, 0u);
  EXPECT_EQ(data.uID, 10u);
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 513u);
  EXPECT_EQ(data.hIcon, view.Window().SmallIconHandle());
  const std::string tip(data.szTip.begin(), data.szTip.end());
  EXPECT_EQ(tip, std::string("Zentab Ver2.0") + '\0' + std::string(50, ' '));
}

TEST(TrayRecord, ALongTipIsCutToItsField) {
  const TrayIconData data = MakeTrayIconData(1, 2, std::string(70, 'x'));
  EXPECT_EQ(std::string(data.szTip.data()), std::string(63, 'x'));
  EXPECT_EQ(data.szTip[63], '\0');
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

TEST_F(TrayTest, TheRightButtonOpensTheTrayMenuWithReopenAllAsDefault) {
  Load();
  watcher.MouseDown("SysTrayPic", 1, 516);
  watcher.MouseDown("SysTrayPic", 1, 517);
  watcher.MouseDown("SysTrayPic", 1, 513);
  EXPECT_EQ(journal.entries, (Lines{"PopupMenu TaskTrayMenu default TMAllZentab"}));
}

TEST_F(TrayTest, TheMenusItemShowsAHiddenWindowAndHidesAShownOne) {
  Load();
  view.Window().ChooseInNextPopup("TMCmdVisible");
  watcher.MouseDown("SysTrayPic", 1, 516);
  EXPECT_TRUE(view.Window().Visible());
  watcher.Click("TMCmdVisible");
  EXPECT_FALSE(view.Window().Visible());
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellRestarts) {
  Load();
  watcher.ShellRestarted();
  ASSERT_EQ(journal.entries.size(), 1u);
  EXPECT_TRUE(journal.entries[0].starts_with("TrayAdd cbSize="));
  EXPECT_TRUE(journal.entries[0].ends_with("szTip=Zentab Ver2.0"));

  watcher.Click("CmdExit");
  journal.Clear();
  watcher.ShellRestarted();
  EXPECT_TRUE(journal.entries.empty());
}

}  // namespace
}  // namespace zentab::test
