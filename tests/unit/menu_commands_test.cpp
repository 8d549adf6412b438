#include "fixture.h"

namespace zentab::test {
namespace {

class MenuCommandsTest : public WatcherTest {
 protected:
  void SetUp() override { Load(); }
};

TEST_F(MenuCommandsTest, HelpStartsTheViewerOnTheHelpFileWithoutQuotesOrSaysItCannot) {
  shell.SetExeFolder("C:\\Program Files\\Zentab");
  shell.Fail(SimulatedShell::Op::StartProgram, 1);
  watcher.Click("CmdHelpRef");
  watcher.Click("TMCmdHelpRef");
  const std::string command = "StartProgram notepad.exe C:\\Program Files\\Zentab\\readme.txt";
  EXPECT_EQ(journal.entries, (Lines{command, command + " FAILED",
                                    "MsgBox ヘルプファイルを開けませんでした。\r\nC:\\Program "
                                    "Files\\Zentab\\readme.txt | Zentab | 48"}));
}

TEST_F(MenuCommandsTest, BothHomePageItemsOpenTheSameAddressOwnedByTheMainWindow) {
  watcher.Click("CmdOpenHP");
  watcher.Click("TMCmdOpenHP");
  const std::string open = "ShellOpen owner=" + std::to_string(view.Window().Handle()) +
                           " open http://www.zentab.example/ params= dir= show=1";
  EXPECT_EQ(journal.entries, (Lines{open, open}));
  EXPECT_NE(view.Window().Handle(), 0u);
}

TEST_F(MenuCommandsTest, EveryWindowCommandShowsItsWindowByItselfFromEitherMenu) {
  const std::pair<const char*, const char*> commands[]{
      {"CmdShowOption", "Options"},      {"TMCmdOption", "Options"},
      {"CmdShowVersionInfo", "VerInfo"}, {"TMCmdShowVersionInfo", "VerInfo"},
      {"CmdSoftwareVote", "Votrix"},
  };
  for (const auto& [item, window] : commands) {
    journal.Clear();
    // The user closes the window with its close box.
    host.OnNextModal([](MemoryFormView&, ModalForm& form) { form.QueryUnload(); });
    watcher.Click(item);
    EXPECT_EQ(Calls({"ShowModal", "ModalEnd", "Fetch"}),
              (Lines{std::string("ShowModal ") + window,
                     std::string("ModalEnd ") + window + " unloaded"}))
        << item;
    EXPECT_FALSE(view.Window().Visible()) << item;
  }
}

TEST_F(MenuCommandsTest, WhileAWindowIsShownTheIconOnlyBringsItBackAndTheScanGoesOn) {
  shell.OpenWindow("Page", "http://page.example/");
  Scan();
  view.ListBoxNamed("WatchLst").UserSelects(0);
  host.OnNextModal([this](MemoryFormView&, ModalForm& form) {
    journal.Clear();
    watcher.MouseDown("SysTrayPic", 1, 516);
    watcher.MouseDown("SysTrayPic", 1, 515);
    watcher.MouseDown("SysTrayPic", 1, 512);
    watcher.Click("TMAllZentab");
    watcher.Click("CmdShowVersionInfo");
    watcher.DblClick("WatchLst");
    watcher.Click("CmdExit");
    watcher.Click("TMCmdExit");
    EXPECT_EQ(journal.entries, (Lines{"ActivateModal", "ActivateModal"}));
    Scan();
    EXPECT_EQ(Calls({"ShellWindows.Count"}).size(), 1u);
    form.Click("cmdCancel");
  });
  watcher.Click("TMCmdOption");
  EXPECT_FALSE(shell.Ended());

  journal.Clear();
  watcher.MouseDown("SysTrayPic", 1, 516);
  EXPECT_EQ(journal.entries, (Lines{"PopupMenu TaskTrayMenu default TMAllZentab"}));
}

}  // namespace
}  // namespace zentab::test
