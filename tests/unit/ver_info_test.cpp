#include <gtest/gtest.h>

#include "info/about_design.h"
#include "info/about_window.h"
#include "support/memory_form.h"
#include "support/memory_shell.h"

namespace zentab::test {
namespace {

class VerInfoTest : public ::testing::Test {
 protected:
  VerInfoTest() : view(AboutDesign(), journal), shell(journal), verInfo(view, shell) {
    shell.SetExeFolder("C:\\Tools\\Zentab");
    view.SetEvents(&verInfo);
  }
  std::string Caption(const char* label) { return view.LabelNamed(label).Caption(); }

  Journal journal;
  MemoryFormView view;
  SimulatedShell shell;
  AboutWindow verInfo;
};

TEST_F(VerInfoTest, LoadShowsTheVersionWithoutLeadingZerosAndTheNoteWithItsEmptyLines) {
  shell.SetVersion(2, 10);
  verInfo.Load();
  EXPECT_EQ(view.Window().Caption(), "Zentab Ver2.10");
  EXPECT_EQ(Caption("Versions"), "Version: 2.10");
  EXPECT_EQ(Caption("Note"),
            "Internet Explorer補助ソフト 「Zentab」\r\n\r\n\r\n"
            "Zentabをご使用いただきありがとうございます。\r\n\r\n"
            "感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。");
  EXPECT_EQ(Caption("URL"), "http://www.zentab.example/");
}

TEST_F(VerInfoTest, EachClickOnTheAddressOpensItAgainAndTheButtonClosesTheWindow) {
  verInfo.Load();
  journal.Clear();
  verInfo.Click("URL");
  verInfo.Click("URL");
  const std::string open =
      "ShellOpen owner=0 open http://www.zentab.example/ params= dir=C:\\Tools\\Zentab show=1";
  EXPECT_EQ(journal.entries, (std::vector<std::string>{open, open}));
  EXPECT_FALSE(view.Window().Unloaded());

  // Enter and Esc press the one button.
  EXPECT_EQ(view.Window().DefaultButton(), "CloseWin");
  EXPECT_EQ(view.Window().CancelButton(), "CloseWin");
  verInfo.Click("CloseWin");
  EXPECT_TRUE(view.Window().Unloaded());
}

}  // namespace
}  // namespace zentab::test
