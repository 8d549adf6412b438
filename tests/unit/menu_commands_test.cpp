#include "fixture.h"

namespace zentab::test {
namespace {

class MenuCommandsTest : public WatcherTest {
 protected:
  void SetUp() override { Load(); }
  // The user closes the next window shown as its close box does.
  void CloseNextModal() {
    host.OnNextModal([](MemoryFormView&, ModalForm& form) { form.QueryUnload(); });
  }
};

TEST_F(MenuCommandsTest, HelpStartsTheViewerOnTheHelpFileWithoutQuotes) {
  shell.SetExeFolder("C:\\Program Files\\Zentab");
  watcher.Click("CmdHelpRef");
  watcher.Click("TMCmdHelpRef");
  EXPECT_EQ(journal.entries,
            (Lines{"StartProgram notepad.exe C:\\Program Files\\Zentab\\readme.txt",
                   "StartProgram notepad.exe C:\\Program Files\\Zentab\\readme.txt"}));
}

TEST_F(MenuCommandsTest, AViewerThatCannotStartIsReported) {
  shell.SetExeFolder("C:\\Tools\\Watch");
  shell.Fail(SimulatedShell::Op::StartProgram);
  watcher.Click("TMCmdHelpRef");
  EXPECT_EQ(journal.entries,
            (Lines{"StartProgram notepad.exe C:\\Tools\\Watch\\readme.txt FAILED",
                   "MsgBox ヘルプファイルを開けませんでした。\r\nC:\\Tools\\Watch\\readme.txt | "
                   "Zentab | 48"}));
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
    CloseNextModal();
    watcher.Click(item);
    EXPECT_EQ(Calls({"ShowModal", "ModalEnd"}),
              (Lines{std::string("ShowModal ") + window,
                     std::string("ModalEnd ") + window + " unloaded"}))
        << item;
    EXPECT_FALSE(view.Window().Visible()) << item;
  }
}

TEST_F(MenuCommandsTest, TheVoteWindowStartsAfreshAtEveryOpening) {
  host.OnNextModal([](MemoryFormView&, ModalForm& form) { form.Click("Submit"); });
  watcher.Click("CmdSoftwareVote");
  host.OnNextModal([](MemoryFormView& vote, ModalForm&) {
    EXPECT_EQ(vote.Get<MemoryCommandButton>("Submit").Caption(), "送信(&S)");
    EXPECT_TRUE(vote.Get<MemoryCommandButton>("Submit").Visible());
    EXPECT_EQ(vote.Get<MemoryCommandButton>("Reset").Caption(), "キャンセル(&C)");
    EXPECT_EQ(vote.Get<MemoryComboBox>("Vote").ListIndex(), 2);
    EXPECT_TRUE(vote.Get<MemoryComboBox>("Vote").Enabled());
    EXPECT_EQ(vote.Window().DefaultButton(), "Submit");
  });
  watcher.Click("CmdSoftwareVote");
  EXPECT_EQ(host.ShownCount(), 2);
}

TEST_F(MenuCommandsTest, WhileAWindowIsShownTheIconOnlyBringsItBackAndTheScanGoesOn) {
  shell.OpenWindow("Page", "http://page.example/");
  Scan();
  view.ListBoxNamed("WatchLst").UserSelects(0);
  journal.Clear();
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
