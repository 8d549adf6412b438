// The about window and the vote window.
#include <gtest/gtest.h>

#include "info/about_design.h"
#include "info/about_window.h"
#include "info/vote_design.h"
#include "info/vote_window.h"
#include "support/fake_shell.h"

namespace zentab::test {
namespace {

using Lines = std::vector<std::string>;

TEST(AboutWindow, ShowsTheVersionAndNoteAndOpensTheHomePageEachTimeUntilClosed) {
  using namespace about_window;
  Journal journal;
  FakeView view(AboutDesign(), journal);
  FakeShell shell(journal);
  shell.minor = 10;
  AboutWindow about(view, shell);
  view.SetEvents(&about);
  about.Load();
  EXPECT_EQ(view.Window().Caption(), "Zentab Ver2.10");
  EXPECT_EQ(view.Get(Versions).Caption(), "Version: 2.10");
  EXPECT_EQ(view.Get(Note).Caption(), kAboutNote);
  journal.entries.clear();
  about.Click(URL);
  about.Click(URL);
  const std::string open = "ShellOpen 0 open http://www.zentab.example/ [] [C:\\Tools\\Zentab] 1";
  EXPECT_EQ(journal.entries, (Lines{open, open}));
  EXPECT_TRUE(about.QueryUnload());
  EXPECT_TRUE(view.Window().unloaded);
}

class VoteTest : public ::testing::Test {
 protected:
  VoteTest() {
    view.SetEvents(&vote);
    vote.Load();
    journal.entries.clear();
  }
  FakeComboBox& Ratings() { return view.As<FakeComboBox>(vote_window::Vote); }

  Journal journal;
  FakeView view{VoteDesign(), journal};
  FakeShell shell{journal};
  VoteWindow vote{view, shell};
  const std::string request =
      "Fetch http://vote.zentab.example/votrix/vote.cgi?mode=vote&no=1&namber=";
  const std::string confirm =
      "MsgBox " + std::string(kVoteQuestion) + " | " + kVoteQuestionCaption + " | 289";
  const Lines done{"Submit.Visible 0", "Reset.Caption " + std::string(kVoteClose),
                   "Reset.Enabled 1", "DefaultButton Reset"};
};

TEST_F(VoteTest, SendingAsksFirstSendsTheThirdItemOfferedWaitsThanksAndLeavesOnlyClose) {
  EXPECT_EQ(Ratings().Text(), kVoteItems[2]);
  vote.Click(vote_window::Submit);
  EXPECT_EQ(Lines(journal.entries.begin(), journal.entries.begin() + 8),
            (Lines{confirm, "Submit.Caption " + std::string(kVoteSending), "Vote.Enabled 0",
                   "Submit.Enabled 0", "Reset.Enabled 0", request + "3", "Sleep 2000",
                   "MsgBox " + std::string(kVoteThanks) + " | " + kVoteThanksCaption + " | 64"}));
  EXPECT_EQ(Lines(journal.entries.begin() + 8, journal.entries.end()), done);
  EXPECT_EQ(view.Window().CancelButton(), "Reset");
  vote.Click(vote_window::Reset);
  EXPECT_TRUE(view.Window().unloaded);
}

TEST_F(VoteTest, TheRatingIsTheChosenItemsPositionFromOneAndNoChoiceSendsTheLastAgain) {
  ASSERT_EQ(Ratings().ListCount(), 5);
  for (const auto& [item, rating] : {std::pair{0, 1}, {4, 5}, {-1, 5}}) {
    Ratings().UserSets(item);
    journal.entries.clear();
    vote.OnSubmit();
    EXPECT_EQ(journal.entries.at(5), request + std::to_string(rating)) << item;
  }
}

TEST_F(VoteTest, CancelInTheQuestionOrTheCloseBoxSendNothing) {
  shell.answers.push_back(kCancel);
  vote.Click(vote_window::Submit);
  EXPECT_EQ(journal.entries, (Lines{confirm}));
  EXPECT_TRUE(vote.QueryUnload());
  EXPECT_EQ(journal.entries, (Lines{confirm, "Unload"}));
}

TEST_F(VoteTest, ARequestThatCannotStartIsReportedAndTheWindowIsDoneAllTheSame) {
  shell.Fail(FakeShell::Op::Fetch);
  vote.Click(vote_window::Submit);
  EXPECT_EQ(journal.entries.at(5), request + "3 FAILED");
  EXPECT_EQ(journal.entries.at(6), "MsgBox " + std::string(kVoteNotSentMessage) + " | Zentab | 48");
  EXPECT_EQ(Lines(journal.entries.begin() + 7, journal.entries.end()), done);
}

}  // namespace
}  // namespace zentab::test
