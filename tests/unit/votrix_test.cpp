#include "info/votrix.h"

#include <gtest/gtest.h>

#include "info/votrix_form.h"
#include "platform/memory/memory_form.h"
#include "platform/memory/memory_shell.h"

namespace zentab::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kRequest =
    "Fetch http://vote.zentab.example/votrix/vote.cgi?mode=vote&no=1&namber=";

// The vote request the window made, empty for none.
std::string Request(const Journal& journal) {
  for (const std::string& entry : journal.entries) {
    if (entry.starts_with("Fetch ")) return entry;
  }
  return {};
}

class VotrixTest : public ::testing::Test {
 protected:
  VotrixTest() : view(VotrixForm(), journal), shell(journal), votrix(view, shell) {
    view.SetEvents(&votrix);
  }
  void Load() {
    votrix.Form_Load();
    journal.Clear();
  }
  MemoryComboBox& Vote() { return view.Get<MemoryComboBox>("Vote"); }
  MemoryCommandButton& Button(const char* name) { return view.Get<MemoryCommandButton>(name); }

  Journal journal;
  MemoryFormView view;
  SimulatedShell shell;
  Votrix votrix;
};

TEST_F(VotrixTest, LoadAssemblesTheAddressAndOffersTheThirdItem) {
  EXPECT_EQ(votrix.VoteRating(), 0);
  EXPECT_EQ(Vote().ListIndex(), -1);
  votrix.Form_Load();
  EXPECT_EQ(votrix.VoteBaseURL(), "http://vote.zentab.example/votrix/vote.cgi");
  EXPECT_EQ(Vote().Text(), "3-妥当・普通");
  EXPECT_EQ(view.Window().DefaultButton(), "Submit");
  EXPECT_EQ(view.Window().CancelButton(), "Reset");
}

TEST_F(VotrixTest, SendingAsksFirstThenSendsWaitsThanksAndLeavesOnlyClose) {
  Load();
  votrix.Click("Submit");
  EXPECT_EQ(journal.entries, (Lines{
                                 "MsgBox 送信してもよろしいですか？ | 確認 | 289",
                                 "Submit.Caption お待ちください",
                                 "Vote.Enabled 0",
                                 "Submit.Enabled 0",
                                 "Reset.Enabled 0",
                                 kRequest + "3",
                                 "Sleep 2000",
                                 "MsgBox ご協力ありがとうございました！ | 完了 | 64",
                                 "Submit.Visible 0",
                                 "Reset.Caption 閉じる(&C)",
                                 "Reset.Enabled 1",
                                 "Form.DefaultButton Reset",
                             }));
  EXPECT_EQ(votrix.VoteRating(), 3);
  EXPECT_FALSE(Vote().Enabled());
  EXPECT_EQ(view.Window().CancelButton(), "Reset");
  EXPECT_FALSE(view.Window().Unloaded());
  votrix.Click("Reset");
  EXPECT_TRUE(view.Window().Unloaded());
}

TEST_F(VotrixTest, AnsweringCancelSendsNothingAndChangesNothing) {
  Load();
  shell.AnswerMsgBox(kCancel);
  votrix.Click("Submit");
  EXPECT_EQ(journal.entries, (Lines{"MsgBox 送信してもよろしいですか？ | 確認 | 289"}));
  EXPECT_EQ(votrix.VoteRating(), 0);
  EXPECT_EQ(Button("Submit").Caption(), "送信(&S)");
  EXPECT_TRUE(Vote().Enabled());
}

TEST_F(VotrixTest, TheRatingIsTheChosenItemsPositionCountedFromOne) {
  Lines requests;
  for (int item = 0; item < 5; ++item) {
    Journal ownJournal;
    MemoryFormView ownView(VotrixForm(), ownJournal);
    SimulatedShell ownShell(ownJournal);
    Votrix ownVotrix(ownView, ownShell);
    ownVotrix.Form_Load();
    ownView.Get<MemoryComboBox>("Vote").UserSelects(item);
    ownVotrix.Submit_Click();
    requests.push_back(Request(ownJournal));
  }
  EXPECT_EQ(requests, (Lines{kRequest + "1", kRequest + "2", kRequest + "3", kRequest + "4",
                             kRequest + "5"}));
}

TEST_F(VotrixTest, WithNoItemChosenTheLastRatingIsSentAgain) {
  Load();
  Vote().UserSelects(4);
  votrix.Submit_Click();
  Vote().UserSelects(-1);
  journal.Clear();
  votrix.Submit_Click();
  EXPECT_EQ(Request(journal), kRequest + "5");
}

TEST_F(VotrixTest, TheCloseBoxClosesWithoutARequest) {
  Load();
  EXPECT_TRUE(votrix.QueryUnload());
  EXPECT_EQ(journal.entries, (Lines{"Form.Unload"}));
}

}  // namespace
}  // namespace zentab::test
