#include "info/votrix.h"

#include "info/web_addresses.h"

namespace zentab {
namespace {

constexpr int kThirdItem = 2;
constexpr int kSendingPauseMs = 2000;

}  // namespace

Votrix::Votrix(FormView& view, ShellServices& shell)
    : view_(view),
      shell_(shell),
      vote_(view.Named<ComboBox>("Vote")),
      submit_(view.Named<CommandButton>("Submit")),
      reset_(view.Named<CommandButton>("Reset")) {}

void Votrix::Form_Load() {
  voteBaseURL_.clear();
  for (std::string_view piece : kVoteBaseURLPieces) voteBaseURL_ += piece;
  vote_.SetListIndex(kThirdItem);
}

bool Votrix::QueryUnload() {
  Reset_Click();
  return true;
}

void Votrix::Click(std::string_view control) {
  if (control == "Submit") {
    Submit_Click();
  } else if (control == "Reset") {
    Reset_Click();
  }
}

void Votrix::Submit_Click() {
  if (shell_.MsgBox("送信してもよろしいですか？", "確認",
                    kOKCancel | kQuestion | kDefaultButton2) != kOK) {
    return;
  }
  submit_.SetCaption("お待ちください");
  vote_.SetEnabled(false);
  submit_.SetEnabled(false);
  reset_.SetEnabled(false);

  const std::string chosen = vote_.Text();
  for (int i = 0; i < vote_.ListCount(); ++i) {
    if (chosen == vote_.List(i)) voteRating_ = static_cast<std::int16_t>(i + 1);
  }

  // The answer is never looked at; the pause gives the request time to leave.
  shell_.FetchInBackground(voteBaseURL_ + "?mode=vote&no=1&namber=" + std::to_string(voteRating_));
  shell_.Sleep(kSendingPauseMs);
  shell_.MsgBox("ご協力ありがとうございました！", "完了", kInformation | kOKOnly);

  submit_.SetVisible(false);
  reset_.SetCaption("閉じる(&C)");
  reset_.SetEnabled(true);
  view_.Window().SetDefaultButton("Reset");
}

void Votrix::Reset_Click() {
  view_.Window().Unload();
}

}  // namespace zentab
