#include "info/ver_info.h"

#include <gtest/gtest.h>

#include "info/ver_info_form.h"
#include "platform/memory/memory_form.h"
#include "platform/memory/memory_shell.h"

namespace zentab::test {
namespace {

class VerInfoTest : public ::testing::Test {
 protected:
  VerInfoTest() : view(VerInfoForm(), journal), shell(journal), verInfo(view, shell) {
    shell.SetExeFolder("C:\\Tools\\Zentab");
    view.SetEvents(&verInfo);
  }
  std::string Caption(const char* label) { return view.LabelNamed(label).Caption(); }

  Journal journal;
  MemoryFormView view;
  SimulatedShell shell;
  VerInfo verInfo;
};

TEST_F(VerInfoTest, LoadShowsTheVersionAndTheNoteWithItsEmptyLines) {
  EXPECT_EQ(Caption("Versions"), "Version: $.$");
  verInfo.Form_Load();
  EXPECT_EQ(view.Window().Caption(), "Zentab Ver2.0");
  EXPECT_EQ(Caption("Versions"), "Version: 2.0");
  EXPECT_EQ(Caption("Note"),
            "Internet Explorer補助ソフト 「Zentab」\r\n\r\n\r\n"
            "Zentabをご使用いただきありがとうございます。\r\n\r\n"
            "感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。");
  EXPECT_EQ(Caption("URL"), "http://www.zentab.example/");
}

TEST_F(VerInfoTest, VersionNumbersAreWrittenWithoutLeadingZeros) {
  for (const auto& [minor, text] : {std::pair{5, "2.5"}, std::pair{10, "2.10"}}) {
    Journal ownJournal;
    MemoryFormView ownView(VerInfoForm(), ownJournal);
    SimulatedShell ownShell(ownJournal);
    ownShell.SetVersion(2, minor);
    VerInfo(ownView, ownShell).Form_Load();
    EXPECT_EQ(ownView.Window().Caption(), std::string("Zentab Ver") + text);
    EXPECT_EQ(ownView.LabelNamed("Versions").Caption(), std::string("Version: ") + text);
  }
}

TEST_F(VerInfoTest, EachClickOnTheAddressOpensItAgainAndTheWindowStays) {
  verInfo.Form_Load();
  journal.Clear();
  verInfo.Click("URL");
  verInfo.Click("URL");
  const std::string open =
      "ShellOpen owner=0 open http://www.zentab.example/ params= dir=C:\\Tools\\Zentab show=1";
  EXPECT_EQ(journal.entries, (std::vector<std::string>{open, open}));
  EXPECT_FALSE(view.Window().Unloaded());
}

TEST_F(VerInfoTest, TheButtonAndTheCloseBoxUnloadTheWindow) {
  verInfo.Form_Load();
  verInfo.Click("CloseWin");
  EXPECT_TRUE(view.Window().Unloaded());

  MemoryFormView other(VerInfoForm(), journal);
  VerInfo closed(other, shell);
  EXPECT_TRUE(closed.QueryUnload());
  EXPECT_TRUE(other.Window().Unloaded());
  EXPECT_EQ(other.Window().DefaultButton(), "CloseWin");
  EXPECT_EQ(other.Window().CancelButton(), "CloseWin");
}

}  // namespace
}  // namespace zentab::test
