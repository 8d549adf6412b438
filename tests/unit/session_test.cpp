// The last session: its file, when it is written, and what the next start does with it.
#include "fixture.h"
#include "options/options_design.h"
#include "session/session_file.h"

namespace zentab::test {
namespace {

using namespace main_window;
const std::string kSessionPath = "C:\\Tools\\Zentab\\Zentab2.session";

TEST(SessionFile, AnyTitleAndAddressComeBackExactlyAndAnythingElseIsNoSession) {
  const std::vector<SessionWindow> windows{
      {"ニュース- トップ", "http://news.example.jp/"},
      {"a\\b\tc\rd\ne" + std::string(1, '\0'), "file:///C:/Work\\x"},
      {"\xF0\x9F\x98\x80 " + std::string(100000, 't'),
       "http://x.example/" + std::string(2066, 'a')},
      {"", "http://untitled.example/"}};
  const std::string bytes = EncodeSession(windows);
  EXPECT_TRUE(
      bytes.starts_with("Zentab2 session 1\r\nニュース- トップ\thttp://news.example.jp/\r\n"
                        "a\\\\b\\tc\\rd\\ne\\0\tfile:///C:/Work\\\\x\r\n"));
  EXPECT_EQ(DecodeSession(bytes), windows);
  const std::vector<SessionWindow> tabs{{"タブ", "https://t.example/", "firefox", 12}};
  EXPECT_EQ(DecodeSession(EncodeSession(tabs)), tabs);
  for (const std::string& damaged : std::vector<std::string>{
           bytes.substr(0, bytes.size() / 2), bytes.substr(0, bytes.size() - 1),
           "Zentab2 session 3\r\nend\r\n", "Zentab2 session 1\r\n", "[Option]\r\nMaxLog=5\r\n",
           "Zentab2 session 1\r\nno tab\r\nend\r\n", "Zentab2 session 1\r\na\tb\tc\r\nend\r\n",
           "Zentab2 session 1\r\nbad \\q\tx\r\nend\r\n", "Zentab2 session 1\r\ntitle\t\r\nend\r\n",
           "Zentab2 session 1\r\na\rb\tc\r\nend\r\n", "Zentab2 session 1\r\na\tb\r\nPage\t",
           "Zentab2 session 1\r\na\tb\tchrome\t1\r\nend\r\n",
           "Zentab2 session 2\r\na\tb\tsafari\t1\r\nend\r\n", std::string()}) {
    EXPECT_EQ(DecodeSession(damaged), std::nullopt) << damaged.substr(0, 40);
  }
}

class SessionTest : public MainWindowTest {
 protected:
  std::vector<SessionWindow> Saved() { return DecodeSession(shell.bytes[kSessionPath]).value(); }
  size_t Writes() { return Calls({"WriteFileAtomically"}).size(); }
  // Both menus offer the command alike.
  bool CommandEnabled() {
    const bool file = !view.Window().disabled[std::string(CmdOpenLastSession.name)];
    EXPECT_EQ(!view.Window().disabled[std::string(TMCmdOpenLastSession.name)], file);
    return file;
  }
  // The options dialog, where the user sets the box and presses OK.
  void SetBox(int ticked) {
    host.next.push_back([this, ticked](FakeView& dialog, ModalForm& form) {
      shown.push_back(dialog.As<FakeCheckBox>(options_dialog::IsKeepSession).Value());
      dialog.As<FakeCheckBox>(options_dialog::IsKeepSession).UserSets(ticked);
      form.Click(options_dialog::cmdOK);
    });
    main.Click(CmdShowOption);
  }
  std::vector<int> shown;  // the box as the dialog showed it
};

TEST_F(SessionTest, TheSessionIsWrittenWhenTheWatchListIsRebuiltAndNotEmptyUntilTheSessionEnds) {
  OpenPages(3);
  ASSERT_TRUE(main.Load());
  EXPECT_EQ(Writes(), 1u);
  EXPECT_EQ(Saved().back(), (SessionWindow{"Page 2", "http://site.example/2"}));
  journal.entries.clear();
  Scan();
  Scan();
  EXPECT_EQ(Writes(), 0u);
  shell.OpenWindow("New - One", "http://new.example/a - b");
  Scan();
  EXPECT_EQ(Writes(), 1u);
  EXPECT_EQ(Saved().back(), (SessionWindow{"New- One", "http://new.example/a - b"}));
  // A list that becomes empty keeps the last session; so does one closing at the end, until the
  // end is cancelled.
  for (int i = 3; i >= 0; --i) shell.CloseWindow(i);
  shell.OpenWindow("", "http://untitled.example/");  // a window, but no line
  Scan();
  EXPECT_TRUE(LinesOf(WatchLst).empty());
  OpenPages(1);
  main.OnSessionEndQueried();
  Scan();
  main.OnSessionEnded(false);
  EXPECT_EQ(Writes(), 1u);
  OpenPages(1);
  Scan();
  EXPECT_EQ(Writes(), 2u);
  EXPECT_EQ(Saved().size(), 2u);
  main.Exit();
  main.OnSessionEnded(false);
  OpenPages(1);
  Scan();
  EXPECT_EQ(Writes(), 2u);
}

// A full watch list is rebuilt at every scan while more windows are open than it holds.
TEST_F(SessionTest, AListThatHoldsWhatTheFileHoldsIsNotWrittenAgain) {
  Ini()["MaxWatch"] = "150";
  shell.OpenWindow("Odd", "x - ");  // a line with no address to tell is left out
  OpenPages(120);
  Load();
  Scan();
  Scan();
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(Saved().size(), 99u);
  ASSERT_TRUE(main.Load());
  Scan();
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(Calls({"ReadWholeFile"}).size(), 1u);
}

TEST_F(SessionTest, ThePreviousSessionLeadsThePastLogAndOneCommandReopensIt) {
  shell.bytes[kSessionPath] = EncodeSession({{"Report", "file:///C:/Work"},
                                             {"Evil", "file:///C:/x/evil.exe"},
                                             {"N - file:///x", "http://n/"}});
  Ini()["MaxLog"] = "3";
  OpenPages(1);
  Load();
  EXPECT_EQ(LinesOf(PastLst),
            (Lines{"前回 : Evil - file:///C:/x/evil.exe", "前回 : N- file:///x - http://n/",
                   "Gr 1 : Page 0 - http://site.example/0"}));
  EXPECT_TRUE(CommandEnabled());
  // One that fails does not keep the others.
  shell.Fail(FakeShell::Op::NewBrowserWindow, 1);
  main.Click(TMCmdOpenLastSession);
  EXPECT_EQ(Calls({"NewBrowserWindow"}),
            (Lines{"NewBrowserWindow file:///C:/Work",
                   "NewBrowserWindow file:///C:/x/evil.exe FAILED", "NewBrowserWindow http://n/"}));
  List(PastLst).UserSets(1);
  journal.entries.clear();
  main.DblClick(PastLst);
  main.Click(CmdOpenLastSession);
  EXPECT_EQ(Calls({"NewBrowserWindow"}).size(), 4u);
  EXPECT_EQ(Calls({"NewBrowserWindow"})[0], "NewBrowserWindow http://n/");
}

TEST_F(SessionTest, WithoutASessionOrAPastLogOrWhenNotKeptNoLineLeadsAndTheCommandIsGrey) {
  Load();
  EXPECT_FALSE(CommandEnabled());
  shell.bytes[kSessionPath] = EncodeSession({{"Report", "file:///C:/Work"}});
  Ini()["DisabledPastLog"] = "1";
  Load();
  EXPECT_EQ(LinesOf(PastLst), (Lines{kPastLogDisabledLine}));
  EXPECT_TRUE(CommandEnabled());
  Ini() = {{"KeepSession", " 0 "}};
  ASSERT_TRUE(main.Load());
  EXPECT_TRUE(LinesOf(PastLst).empty());
  EXPECT_FALSE(CommandEnabled());
  EXPECT_TRUE(Calls({"ReadWholeFile"}).empty());
  // Only a stored 0 turns it off.
  Ini() = {{"KeepSession", "abc"}};
  Load();
  EXPECT_EQ(settings.KeepSession, 1);
}

TEST_F(SessionTest, TurningItOffDeletesItsFilesAndTurningItOnSavesTheWindowsAtOnce) {
  Ini()["KeepSession"] = "0";
  shell.bytes[kSessionPath] = EncodeSession({{"Report", "file:///C:/Work"}});
  shell.bytes[kSessionPath + ".bad"] = shell.bytes[kSessionPath + ".tmp"] = "title\taddress";
  shell.locked = {kSessionPath + ".tmp"};
  OpenPages(1);
  Load();
  SetBox(1);  // the last session is read first
  EXPECT_TRUE(CommandEnabled());
  SetBox(0);
  EXPECT_EQ(Ini()["KeepSession"], "0");
  EXPECT_EQ(Calls({"MsgBox"}), (Lines{"MsgBox " + std::string(kSessionNotRemovedMessage) + "\r\n" +
                                      kSessionPath + ".tmp | Zentab | 48"}));
  EXPECT_EQ(shell.bytes.size(), 1u);
  EXPECT_FALSE(CommandEnabled());
  // Removed once it can be, at the next OK; nothing is written while it is off.
  shell.locked.clear();
  SetBox(0);
  OpenPages(1);
  Scan();
  EXPECT_TRUE(shell.bytes.empty());
  for (const int ticked : {1, 0, 1}) SetBox(ticked);  // saved at once each time
  EXPECT_EQ(Saved().size(), 2u);
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 0, 0, 1, 0}));
}

TEST_F(SessionTest, AFailedWriteIsReportedOnceUntilOneSucceedsAndTheProgramGoesOn) {
  shell.readOnly = true;
  OpenPages(1);
  ASSERT_TRUE(main.Load());
  for (int i = 2; i <= 3; ++i) {
    OpenPages(1);
    Scan();
  }
  const Lines balloon{"Balloon Zentab | " + std::string(kSessionNotSavedMessage) + "\n" +
                      kSessionPath};
  EXPECT_EQ(Calls({"Balloon"}), balloon);
  shell.readOnly = false;
  OpenPages(1);
  Scan();
  shell.readOnly = true;
  OpenPages(1);
  Scan();
  EXPECT_EQ(Calls({"Balloon"}), (Lines{balloon[0], balloon[0]}));
  EXPECT_EQ(LinesOf(WatchLst).size(), 5u);
}

TEST_F(SessionTest, AFileThatIsNoSessionIsSetAsideAndTheProgramStartsWithoutOne) {
  std::vector<SessionWindow> many(100, {"Page", "http://site.example/"});
  shell.bytes[kSessionPath] = EncodeSession(many);
  Load();
  EXPECT_EQ(LinesOf(PastLst).size(), 50u);
  many.push_back(many.back());
  for (const std::string& damaged :
       {std::string("Zentab2 session 1\r\ntruncated\t"), EncodeSession(many)}) {
    shell.bytes[kSessionPath] = damaged;
    Load();
    EXPECT_EQ(shell.bytes[kSessionPath + ".bad"], damaged);
    EXPECT_FALSE(shell.bytes.contains(kSessionPath));
    EXPECT_FALSE(CommandEnabled());
    EXPECT_TRUE(LinesOf(PastLst).empty());
  }
}

// It may be all that is left of the last session.
TEST_F(SessionTest, AFileThatCanBeNeitherReadNorSetAsideIsNeverOverwritten) {
  OpenPages(1);
  for (const bool unreadable : {true, false}) {
    shell.bytes[kSessionPath] = "Zentab2 session 1\r\ntruncated\t";
    if (unreadable) shell.Fail(FakeShell::Op::Read);
    shell.locked = {kSessionPath + ".bad"};
    ASSERT_TRUE(main.Load());
    OpenPages(1);
    Scan();
    EXPECT_EQ(
        Calls({"Balloon", "WriteFile"}),
        (Lines{"Balloon Zentab | " + std::string(kSessionNotSavedMessage) + "\n" + kSessionPath}));
    EXPECT_EQ(shell.bytes[kSessionPath], "Zentab2 session 1\r\ntruncated\t");
    journal.entries.clear();
  }
  // Once the files are removed, nothing is left to keep: the windows are saved again.
  shell.locked.clear();
  for (const int ticked : {0, 1}) SetBox(ticked);
  EXPECT_EQ(Saved().size(), 3u);
}

}  // namespace
}  // namespace zentab::test
