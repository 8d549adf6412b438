#include "info/vote_window.h"

#include "info/vote_design.h"
#include "info/web_addresses.h"

namespace zentab {
namespace {

using namespace vote_window;

constexpr int kThirdItem = 2;
constexpr int kSendingPauseMs = 2000;

}  // namespace

VoteWindow::VoteWindow(FormView& view, ShellServices& shell)
    : view_(view),
      shell_(shell),
      vote_(view.Get(Vote)),
      submit_(view.Get(Submit)),
      reset_(view.Get(Reset)) {}

void VoteWindow::Load() {
  voteBaseURL_.clear();
  for (std::string_view piece : kVoteBaseURLPieces) voteBaseURL_ += piece;
  vote_.SetListIndex(kThirdItem);
}

bool VoteWindow::QueryUnload() {
  OnClose();
  return true;
}

void VoteWindow::Click(std::string_view control) {
  if (control == Submit) {
    OnSubmit();
  } else if (control == Reset) {
    OnClose();
  }
}

void VoteWindow::OnSubmit() {
  if (shell_.MsgBox(kVoteQuestion, kVoteQuestionCaption, kOKCancel | kQuestion | kDefaultButton2) !=
      kOK) {
    return;
  }
  submit_.SetCaption(kVoteSending);
  vote_.SetEnabled(false);
  submit_.SetEnabled(false);
  reset_.SetEnabled(false);

  const std::string chosen = vote_.Text();
  for (int i = 0; i < vote_.ListCount(); ++i) {
    if (chosen == vote_.List(i)) voteRating_ = static_cast<std::int16_t>(i + 1);
  }

  // The answer is never looked at; the pause gives the request time to leave.
  bool started = true;
  try {
    shell_.FetchInBackground(voteBaseURL_ +
                             "?mode=vote&no=1&namber=" + std::to_string(voteRating_));
  } catch (const ShellFailure&) {
    started = false;
  }
  if (started) {
    shell_.Sleep(kSendingPauseMs);
    shell_.MsgBox(kVoteThanks, kVoteThanksCaption, kInformation | kOKOnly);
  } else {
    // The window must not stay with every control disabled: it is done all the same.
    shell_.MsgBox(kVoteNotSentMessage, "Zentab", kExclamation | kOKOnly);
  }

  submit_.SetVisible(false);
  reset_.SetCaption(kVoteClose);
  reset_.SetEnabled(true);
  view_.Window().SetDefaultButton(Reset);
}

void VoteWindow::OnClose() {
  view_.Window().Unload();
}

}  // namespace zentab
