#include <gtest/gtest.h>

#include "info/vote_design.h"
#include "info/vote_window.h"
#include "support/memory_form.h"
#include "support/memory_shell.h"

namespace zentab::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kRequest =
    "Fetch http://vote.zentab.example/votrix/vote.cgi?mode=vote&no=1&namber=";
const std::string kConfirm = "MsgBox 送信してもよろしいですか？ | 確認 | 289";

class VotrixTest : public ::testing::Test {
 protected:
  VotrixTest() : view(VoteDesign(), journal), shell(journal), votrix(view, shell) {
    view.SetEvents(&votrix);
    votrix.Load();
    journal.Clear();
  }
  MemoryComboBox& Vote() { return view.Get<MemoryComboBox>("Vote"); }

  Journal journal;
  MemoryFormView view;
  SimulatedShell shell;
  VoteWindow votrix;
};

TEST_F(VotrixTest, SendingAsksFirstThenSendsTheThirdItemOfferedWaitsThanksAndLeavesOnlyClose) {
  EXPECT_EQ(Vote().Text(), "3-妥当・普通");
  EXPECT_EQ(view.Window().DefaultButton(), "Submit");
  votrix.Click("Submit");
  EXPECT_EQ(journal.entries,
            (Lines{kConfirm, "Submit.Caption お待ちください", "Vote.Enabled 0", "Submit.Enabled 0",
                   "Reset.Enabled 0", kRequest + "3", "Sleep 2000",
                   "MsgBox ご協力ありがとうございました！ | 完了 | 64", "Submit.Visible 0",
                   "Reset.Caption 閉じる(&C)", "Reset.Enabled 1", "Form.DefaultButton Reset"}));
  EXPECT_EQ(view.Window().CancelButton(), "Reset");
  EXPECT_FALSE(view.Window().Unloaded());
  votrix.Click("Reset");
  EXPECT_TRUE(view.Window().Unloaded());
}

TEST_F(VotrixTest, TheRatingIsTheChosenItemsPositionCountedFromOneAndNoChoiceSendsTheLastAgain) {
  for (const auto& [item, rating] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {-1, 5}}) {
    Vote().UserSelects(item);
    journal.Clear();
    votrix.OnSubmit();
    EXPECT_EQ(journal.entries.at(5), kRequest + std::to_string(rating)) << item;
  }
}

TEST_F(VotrixTest, AnsweringCancelOrTheCloseBoxSendsNothingAndChangesNothing) {
  shell.AnswerMsgBox(kCancel);
  votrix.Click("Submit");
  EXPECT_EQ(journal.entries, (Lines{kConfirm}));
  EXPECT_EQ(votrix.VoteRating(), 0);
  EXPECT_TRUE(Vote().Enabled());

  journal.Clear();
  EXPECT_TRUE(votrix.QueryUnload());
  EXPECT_EQ(journal.entries, (Lines{"Form.Unload"}));
}

}  // namespace
}  // namespace zentab::test
