// The browsers' tabs: their snapshots as the hosts hand them over, their lines in the watch list
// and the past log, redirects and reopening through their browsers, the last session, and the
// options dialog's box that lets the browsers start the host.
#include "browsers/messages.h"
#include "fixture.h"
#include "options/options_design.h"
#include "options/options_dialog.h"
#include "session/session_file.h"

namespace zentab::test {
namespace {

using namespace main_window;

// A browser's snapshot from lines "window title|address", the tab ids counting from 1.
std::string Snapshot(const std::string& browser, const std::vector<std::string>& tabs) {
  std::string json = R"({"type":"tabs","browser":")" + browser + R"(","windows":[)", window;
  for (size_t i = 0; i < tabs.size(); ++i) {
    const size_t space = tabs[i].find(' '), bar = tabs[i].find('|');
    const bool same = tabs[i].substr(0, space) == window;
    window = tabs[i].substr(0, space);
    json += same ? "," : std::string(i ? "]}," : "") + R"({"id":)" + window + R"(,"tabs":[)";
    json += R"({"id":)" + std::to_string(i + 1) + R"(,"title":")" +
            tabs[i].substr(space + 1, bar - space - 1) + R"(","url":")" + tabs[i].substr(bar + 1) +
            R"("})";
  }
  return json + (tabs.empty() ? "]}" : "]}]}");
}

TEST(BrowserMessages, ASnapshotIsReadOnlyWhenEveryFieldIsThereAndOfItsKind) {
  const std::string tab = R"({"id":7,"title":"ニュース \"A\"","url":"https://a.example/"})";
  const auto read = DecodeTabSnapshot(R"( {"windows":[{"tabs":[)" + tab +
                                      R"(],"id":3,"x":[{"y":[1.5]}]}],"type":"tabs",)"
                                      R"("browser":"firefox","version":{"major":2}} )");
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, (TabSnapshot{BrowserKind::Firefox,
                                {{3, {{7, "ニュース \"A\"", "https://a.example/"}}}}}));
  std::string many;
  for (size_t i = 0; i <= kMaxSnapshotTabs; ++i) many += (i ? "," : "") + tab;
  const std::string head = R"({"type":"tabs","browser":"chrome","windows":[{"id":1,"tabs":[)";
  for (const std::string& bad : std::vector<std::string>{
           head + many + "]}]}", head + "]}]}x", head + "]}]}" + std::string(1, '\0') + "x",
           head + "]}", head + R"(7]}]})", head + R"({"id":1.5,"title":"","url":""}]}]})",
           head + R"({"id":1,"title":"","url":"","url":""}]}]})",
           head + R"({"id":1,"title":"\udc00","url":""}]}]})",
           head + "{\"id\":1,\"title\":\"\xC0\xAF\",\"url\":\"\"}]}]}",
           head + R"({"id":1,"title":""}]}]})", R"({"type":"tabs","browser":"opera","windows":[]})",
           R"({"type":"tab","browser":"chrome","windows":[]})", R"({"type":"tabs","windows":[]})",
           "[]", ""}) {
    EXPECT_EQ(DecodeTabSnapshot(bad), std::nullopt) << bad.substr(0, 80);
  }
  many.resize(many.size() - tab.size() - 1);
  EXPECT_TRUE(DecodeTabSnapshot(head + many + "]}]}"));
  // What goes to a browser is JSON whatever the text; text that is no UTF-8 gets U+FFFD.
  EXPECT_EQ(OpenRequest({"http://a/\"\\\t", "b\xFF\xE3\x81"}),
            R"({"type":"open","urls":["http://a/\"\\\u0009","b)"
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"]}");
  EXPECT_EQ(NavigateRequest(12, "https://b/"),
            R"({"type":"navigate","tab":12,"url":"https://b/"})");
}

class BrowsersTest : public MainWindowTest {
 protected:
  static constexpr std::uintptr_t kChrome = 7, kFirefox = 8, kOtherChrome = 9;
  // A browser's host runs and hands over its snapshot.
  void Connect(std::uintptr_t relay, const std::string& snapshot) {
    shell.hosts.insert(relay);
    main.OnBrowserMessage(relay, snapshot);
  }
  std::string Host(std::uintptr_t relay, const std::string& request) {
    return "Host " + std::to_string(relay) + " " + request;
  }
};

TEST_F(BrowsersTest, TabsFollowTheShellsWindowsByBrowserWindowAndTabAndGoWithTheirHost) {
  shell.OpenWindow("Docs", "file:///C:/Docs");
  Load();
  Connect(kFirefox, Snapshot("firefox", {"1 F|http://f.example/"}));
  const std::string chrome =
      Snapshot("chrome", {"1 A - 1|https://a.example/", "1 New|chrome://newtab/",
                          "1 https://b/|https://b/", "2 C|FTP://c.example/"});
  Connect(kChrome, chrome);
  Connect(kOtherChrome, Snapshot("chrome", {"3 O|http://o/"}));
  // A new snapshot keeps its browser's place; anything else is passed over.
  main.OnBrowserMessage(kChrome, chrome);
  main.OnBrowserMessage(kChrome, "{\"type\":\"tabs\"}");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst),
            (Lines{"ID 0 : Docs - file:///C:/Docs", "ID 1 : A- 1 - https://a.example/",
                   "ID 2 : https://b/ - https://b/", "ID 3 : C - FTP://c.example/",
                   "ID 4 : O - http://o/", "ID 5 : F - http://f.example/"}));
  EXPECT_EQ(Caption(MaxWatchNum), "6/10");
  EXPECT_TRUE(Calls({"Sleep"}).empty());  // a tab's snapshot would not change in a pause
  // Lines keep where they came from: the same tab in both lists, a window's tabs alike.
  EXPECT_NE(List(WatchLst).ItemData(1), 0u);
  EXPECT_EQ(List(WatchLst).ItemData(2), List(WatchLst).ItemData(1));
  EXPECT_TRUE(std::equal(List(WatchLst).data.begin(), List(WatchLst).data.end(),
                         List(PastLst).data.end() - 6));
  settings.MaxWatch = 3;
  settings.ChkMode = 1;
  Scan();
  EXPECT_EQ(LinesOf(WatchLst), (Lines{"ID 0 : Docs - file:///C:/Docs"}));
  settings.MaxWatch = 10;
  settings.ChkMode = 2;
  shell.CloseWindow(0);
  shell.hosts.erase(kChrome);  // ended without a word
  shell.hosts.erase(kOtherChrome);
  main.OnBrowserHostClosing(kFirefox);
  Scan();
  EXPECT_TRUE(LinesOf(WatchLst).empty());
  EXPECT_EQ(Caption(MaxWatchNum), "0/10");
}

TEST_F(BrowsersTest, ABrowsersPagesOpenInItWindowByWindowOrInTheDefaultBrowserWhenItIsGone) {
  shell.OpenWindow("Docs", "file:///C:/Docs");
  Load();
  Connect(kOtherChrome, Snapshot("chrome", {}));  // another profile, connected first
  Connect(kChrome, Snapshot("chrome", {"1 A|https://a/", "1 B|https://b/", "2 C|https://c/"}));
  Scan();
  journal.entries.clear();
  main.Click(TMAllZentab);
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow file:///C:/Docs",
                   Host(kChrome, R"({"type":"open","urls":["https://a/","https://b/"]})"),
                   Host(kChrome, R"({"type":"open","urls":["https://c/"]})")}));
  // One page of the past log in a new window of its browser; a host that takes nothing, or none
  // at all, leaves it to the default browser.
  List(PastLst).UserSets(3);
  shell.refusing = {kChrome, kOtherChrome};
  journal.entries.clear();
  main.DblClick(PastLst);
  shell.hosts.clear();
  main.DblClick(PastLst);
  EXPECT_EQ(journal.entries,
            (Lines{Host(kChrome, R"({"type":"open","urls":["https://b/"]})") + " FAILED",
                   Host(kOtherChrome, R"({"type":"open","urls":["https://b/"]})") + " FAILED",
                   "OpenWithShell https://b/", "OpenWithShell https://b/"}));
}

TEST_F(BrowsersTest, TheLastSessionKeepsEachPagesBrowserAndWindowAndOpensThemAsTheyWere) {
  OpenPages(1);
  Load();
  Connect(kChrome, Snapshot("chrome", {"5 A|https://a/", "5 B|https://b/", "9 C|https://c/"}));
  Connect(kFirefox, Snapshot("firefox", {"5 F|https://f/"}));
  Scan();
  const std::string path = "C:\\Tools\\Zentab\\Zentab2.session";
  EXPECT_EQ(shell.bytes[path],
            "Zentab2 session 2\r\nPage 0\thttp://site.example/0\r\nA\thttps://a/\tchrome\t1\r\n"
            "B\thttps://b/\tchrome\t1\r\nC\thttps://c/\tchrome\t2\r\nF\thttps://f/\tfirefox\t3\r\n"
            "end\r\n");
  // The next start: Chrome is connected again, Firefox is not.
  shell.hosts.clear();
  Connect(kOtherChrome, Snapshot("chrome", {}));
  ASSERT_TRUE(main.Load());
  EXPECT_EQ(LinesOf(PastLst).front(), "前回 : Page 0 - http://site.example/0");
  journal.entries.clear();
  main.Click(CmdOpenLastSession);
  List(PastLst).UserSets(2);  // its line "前回 : B - https://b/" knows the browser too
  main.DblClick(PastLst);
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow http://site.example/0",
                   Host(kOtherChrome, R"({"type":"open","urls":["https://a/","https://b/"]})"),
                   Host(kOtherChrome, R"({"type":"open","urls":["https://c/"]})"),
                   "OpenWithShell https://f/",
                   Host(kOtherChrome, R"({"type":"open","urls":["https://b/"]})")}));
}

class BrowsersBoxTest : public BrowsersTest {
 protected:
  // The options dialog, where the user sets the browsers' box and presses OK.
  void SetBox(int ticked, std::function<void(FakeView&)> look = nullptr) {
    host.next.push_back([=, this](FakeView& dialog, ModalForm& form) {
      if (look) look(dialog);
      dialog.As<FakeCheckBox>(options_dialog::IsWatchBrowsers).UserSets(ticked);
      form.Click(options_dialog::cmdOK);
    });
    main.Click(CmdShowOption);
  }
  const std::string folder = "C:\\Tools\\Zentab\\";
  const std::vector<std::string> keys{
      "Software\\Google\\Chrome\\NativeMessagingHosts\\zentab_host",
      "Software\\Microsoft\\Edge\\NativeMessagingHosts\\zentab_host",
      "Software\\Mozilla\\NativeMessagingHosts\\zentab_host"};
};

TEST_F(BrowsersBoxTest, TickedItLetsEveryBrowserStartTheHostUntickedNoneAndNeitherHalfWay) {
  Load();
  std::vector<std::string> shown;
  const auto look = [&](FakeView& dialog) {
    shown.push_back(std::to_string(dialog.Get(options_dialog::IsWatchBrowsers).Value()) + " " +
                    dialog.Get(options_dialog::Label8).Caption());
  };
  // One key alone is no registration; a refused key undoes what came before, manifests first.
  shell.bytes[folder + "zentab_host-firefox.json"] = "older";
  shell.registry[keys[0]] = folder + "zentab_host-chromium.json";
  shell.locked = {keys[2]};
  SetBox(1, look);
  EXPECT_EQ(Calls({"MsgBox"}), (Lines{"MsgBox " + std::string(kNotLinkedMessage) +
                                      "\r\nHKEY_CURRENT_USER\\" + keys[2] + " | Zentab | 48"}));
  EXPECT_TRUE(Calls({"WriteFile", "SetRegistry"}).at(0).starts_with("WriteFile"));
  EXPECT_EQ(shell.bytes,
            (std::map<std::string, std::string>{{folder + "zentab_host-firefox.json", "older"}}));
  EXPECT_EQ(shell.registry.size(), 1u);
  // Written and named; the dialog shows it ticked, with the browsers connected now.
  shell.locked.clear();
  SetBox(1);
  EXPECT_EQ(shell.bytes[folder + "zentab_host-chromium.json"],
            ChromiumHostManifest(folder + "zentab_host.exe"));
  EXPECT_EQ(shell.bytes[folder + "zentab_host-firefox.json"],
            FirefoxHostManifest(folder + "zentab_host.exe"));
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(shell.registry[keys[i]],
              folder + (i < 2 ? "zentab_host-chromium.json" : "zentab_host-firefox.json"));
  }
  shell.registry[keys[1]] = "c:\\TOOLS\\zentab\\ZENTAB_HOST-chromium.json";  // in other letters
  Connect(kFirefox, Snapshot("firefox", {}));
  Connect(kChrome, Snapshot("chrome", {}));
  Connect(kOtherChrome, Snapshot("edge", {}));
  Connect(kOtherChrome + 1, Snapshot("chrome", {}));  // another profile
  shell.hosts.erase(kFirefox);  // ended without a word
  SetBox(0, look);
  EXPECT_TRUE(shell.bytes.empty() && shell.registry.empty() && shell.hosts.empty());
  SetBox(0, look);
  EXPECT_EQ(shown, (std::vector<std::string>{"0 接続中のブラウザ: なし",
                                             "1 接続中のブラウザ: Chrome, Edge",
                                             "0 接続中のブラウザ: なし"}));
}

}  // namespace
}  // namespace zentab::test
