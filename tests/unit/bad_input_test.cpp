// Windows and settings files as nobody would make them: the lists stay right, the settings stay
// sound, and nothing hangs or is lost.

#include "fixture.h"

namespace zentab::test {
namespace {

class BadInputTest : public WatcherTest {
 protected:
  bool Write(const std::string& key, const std::string& value) {
    return shell.WriteProfileText("Option", key, value, SettingsFilePath(shell.ExeFolder()));
  }
  // Double-clicks line 0 of a list; the address it opened.
  std::string Reopen(const char* list) {
    view.ListBoxNamed(list).UserSelects(0);
    journal.Clear();
    watcher.DblClick(list);
    const auto opened = Calls({"NewBrowserWindow "});
    return opened.size() == 1 ? opened[0].substr(std::string("NewBrowserWindow ").size()) : "-";
  }
};

TEST_F(BadInputTest, OddTitlesAndAddressesGiveOneLineThatReopensTheWholeAddress) {
  const struct {
    const char* what;
    std::string title, address;
  } cases[] = {
      {"100,000 characters", std::string(100000, 't'),
       "http://x.example/" + std::string(99983, 'b')},
      {"CR, LF and tab", "a\rb\nc\td", "http://x.example/\r\n\t?"},
      {"NUL", std::string("a\0b", 3), std::string("http://x.example/\0?", 19)},
      {"separators in the address", "Page - One", "http://x.example/?q= - http://y.example/ - z"},
      {"a separator alone", " - ", "http://x.example/"},
      {"spaces running up to a separator", "a  - http:b", "http://x.example/"},
      {"a title beginning with a hyphen", "- http:b - c", "file:///C:/ - d"},
      {"a title ending with a hyphen", "Menu -", "https://x.example/"},
      {"emoji", "\xF0\x9F\x98\x80 Smile", "http://x.example/\xF0\x9F\x98\x80"},
      {"bytes of a lone surrogate", "\xED\xA0\x80", "http://x.example/\xED\xB0\x80\xFF"},
  };
  for (const auto& c : cases) {
    shell.OpenWindow(c.title, c.address);
    Load();
    const Lines watch = ListOf("WatchLst");
    const Lines past = ListOf("PastLst");
    ASSERT_EQ(watch.size(), 1u) << c.what;
    ASSERT_EQ(past.size(), 1u) << c.what;
    EXPECT_TRUE(watch[0].starts_with("ID 0 : ")) << c.what;
    EXPECT_TRUE(past[0].starts_with("Gr ")) << c.what;
    ASSERT_TRUE(watch[0].ends_with(" - " + c.address)) << c.what;
    const std::string title = watch[0].substr(7, watch[0].size() - c.address.size() - 10);
    EXPECT_EQ(title.find(" - "), std::string::npos) << c.what;
    EXPECT_EQ(Reopen("WatchLst"), c.address) << c.what;
    EXPECT_EQ(Reopen("PastLst"), c.address) << c.what;
    shell.CloseWindow(0);
    Scan();  // no window: both lists start afresh
  }
}

// A UTF-16 file with a mark, little end first.
std::string Utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (const char c : ascii) out += std::string{c, '\0'};
  return out;
}

TEST_F(BadInputTest, OddSettingsFilesGiveSoundSettingsAndAWriteKeepsTheRest) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + i / 13) % 256);
  std::string tenMegabytes = "[Option]\r\nMaxLog=120\r\n";
  while (tenMegabytes.size() < 10'000'000) tenMegabytes += "; " + std::string(99998, 'x') + "\r\n";
  const struct {
    const char* what;
    std::string file;
    Values expected;
  } cases[] = {
      {"binary garbage", garbage, kDefaults},
      {"10 MB", tenMegabytes, {2, 0, 10, 120, 5000, 0}},
      {"UTF-16 with a mark",
       Utf16("[Option]\r\nMaxWatch=7\r\nThrough=3\r\n"),
       {2, 0, 7, 50, 5000, 3}},
      {"no final line end", "[Option]\r\nMaxWatch=7", {2, 0, 7, 50, 5000, 0}},
      {"CR line ends", "[Option]\rMaxWatch=7\rMaxLog=8\r", {2, 0, 7, 8, 5000, 0}},
      {"keys outside any section",
       "MaxLog=120\r\n[Option]\r\nMaxWatch=7\r\n",
       {2, 0, 7, 50, 5000, 0}},
      {"a key twice", "[Option]\r\nMaxLog=120\r\nMaxLog=130\r\n", {2, 0, 10, 120, 5000, 0}},
      {"lines of 100,000 characters",
       "[Option]\r\nMaxLog=" + std::string(100000, '9') + "\r\nMaxWatch=" +
           std::string(100000, ' ') + "7\r\n" + std::string(100000, 'k') + "=1\r\n",
       {2, 0, 7, 50, 5000, 0}},
  };
  for (const auto& c : cases) {
    WriteBytes(IniPath(), c.file);
    ApplySettings();
    EXPECT_EQ(InForce(), c.expected) << c.what;
    if (c.file.starts_with("\xFF\xFE")) {
      // Its other characters could not be written back: it is left alone.
      EXPECT_FALSE(Write("Through", "5")) << c.what;
      EXPECT_EQ(ReadBytes(IniPath()), c.file) << c.what;
      continue;
    }
    ASSERT_TRUE(Write("Through", "5")) << c.what;
    ApplySettings();
    Values expected = c.expected;
    expected.through = 5;
    EXPECT_EQ(InForce(), expected) << c.what;
  }
}

TEST_F(BadInputTest, AFolderThatDoesNotExistGivesTheDefaultsAndIsNotCreated) {
  const std::string missing = (folder.Path() / "missing").string();
  shell.SetExeFolder(missing);
  Load();
  EXPECT_EQ(InForce(), kDefaults);
  EXPECT_FALSE(Write("MaxLog", "5"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace zentab::test
