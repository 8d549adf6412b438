// The vote window: the user rates the program from 1 to 5 and the rating goes to the maker's
// vote endpoint in one request.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/form_host.h"
#include "platform/shell_services.h"

namespace zentab {

inline constexpr const char* kVoteQuestion = "送信してもよろしいですか？";
inline constexpr const char* kVoteQuestionCaption = "確認";
inline constexpr const char* kVoteSending = "お待ちください";
inline constexpr const char* kVoteThanks = "ご協力ありがとうございました！";
inline constexpr const char* kVoteThanksCaption = "完了";
inline constexpr const char* kVoteNotSentMessage = "評価を送信できませんでした。";
inline constexpr const char* kVoteClose = "閉じる(&C)";

class VoteWindow : public ModalForm {
 public:
  VoteWindow(FormView& view, ShellServices& shell);

  void Load() override;
  bool QueryUnload() override;
  void Click(std::string_view control) override;

  void OnSubmit();
  void OnClose();

  const std::string& VoteBaseURL() const { return voteBaseURL_; }
  std::int16_t VoteRating() const { return voteRating_; }

 private:
  FormView& view_;
  ShellServices& shell_;
  ComboBox& vote_;
  CommandButton& submit_;
  CommandButton& reset_;
  std::string voteBaseURL_;
  std::int16_t voteRating_ = 0;
};

}  // namespace zentab
