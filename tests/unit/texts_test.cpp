// Every text a user reads, written out as the user reads it: the other tests speak of the
// program's texts by their names, so a changed character fails here and only here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "app/menu_commands.h"
#include "info/about_design.h"
#include "info/about_window.h"
#include "info/vote_design.h"
#include "info/vote_window.h"
#include "options/options_design.h"
#include "options/options_dialog.h"
#include "session/last_session.h"
#include "settings/settings.h"

namespace zentab::test {
namespace {

// A window's caption, then each control and menu item with a caption of its own, in design
// order: "|name caption"; an item of a menu is marked as such: "|>name caption".
std::string Captions(const FormDesign& form) {
  std::string captions(form.caption);
  for (const ControlDesign& c : form.controls) {
    if (!c.caption.empty()) captions += "|" + std::string(c.name) + " " + std::string(c.caption);
  }
  for (const MenuDesign& m : form.menus)
    captions += (m.level > 0 ? "|>" : "|") + std::string(m.name) + " " + std::string(m.caption);
  return captions;
}

TEST(Texts, EveryTextTheUserReadsIsAsWritten) {
  EXPECT_EQ(Captions(MainWindowDesign()),
            "Zentab Ver$.$ - Watcher|Label1 監視項目(&W):|Label2 過去ログ(&P):|IsPastLogMake "
            "過去ログ生成 一時停止(&Q)|MaxWatchNum */*|MaxLogNum Max *件|MFile ファイル(&F)|"
            ">CmdOpenLastSession 前回のウィンドウを開く(&R)|>MFilek001 -|>CmdExit 終了(&X)|MOption "
            "設定(&S)|>CmdShowOption オプション...(&O)|MHelp ヘルプ(&H)|>CmdHelpRef "
            "ヘルプを開く(&H)...|>MHelpk001 -|>CmdOpenHP ホームページを開く(&W)...|"
            ">CmdSoftwareVote ソフトを評価 [Votrix] (&V)...|>MHelpk002 -|>CmdShowVersionInfo "
            "バージョン情報(&A)...|TaskTrayMenu TaskTrayMenu|>TMAllZentab 一括Zentab!!(&L)|"
            ">TMCmdOpenLastSession 前回のウィンドウを開く(&R)|>TMCmdVisible 監視画面を開く(&W)...|"
            ">TMk001 -|>TMCmdOption オプション(&O)...|>TMk002 -|>TMCmdHelpRef ヘルプ(&H)...|"
            ">TMCmdOpenHP ホームページを開く(&H)...|>TMCmdShowVersionInfo バージョン情報(&A)...|"
            ">TMk003 -|>TMCmdExit 終了(&X)");
  EXPECT_EQ(Captions(OptionsDesign()),
            "Zentab Ver$.$ - Options|Label7 各設定項目にマウスをポイントすると説明が出ます。|"
            "FrWatch 監視設定|Label1 チェックモード(&M):|IsChkModeOp(0) "
            "InternetExplorerのみ監視(&I)|IsChkModeOp(1) Explorerのみ監視(&E) (file://…)|"
            "IsChkModeOp(2) 両方(&B)|Label2 過去ログ機能(&L):|IsUsePastLogOp(0) 使用する(&N)|"
            "IsUsePastLogOp(1) 使用しない(&F)|IsKeepSession 前回のウィンドウを記録する(&K)|"
            "IsRunAtStartup Windows の起動時に Zentab を起動する(&W)|IsWatchBrowsers "
            "ブラウザのタブも監視する(&A)|Label8 接続中のブラウザ:|Label3 最大監視数(&R):|"
            "HMWatch 0|Label4 過去ログ最大件数(&P):|HMLog 0|Label5 監視間隔(&T):|HMInterval *.* "
            "秒|Label6 自動スルー設定(&S):|AS_RedirectB http://jump.redirect-b.example/|"
            "AS_RedirectA http://ime.redirect-a.example/|AS_BoardLink "
            "http://board.example/bbs/link.cgi|cmdOK OK|cmdCancel キャンセル");
  EXPECT_EQ(Captions(AboutDesign()),
            "Zentab Ver$.$|Versions Version: $.$|Note %Note%|Copyright Copyright (C) Tamsel's "
            "Zozidor. All rights reserved.|URL http://www.zentab.example/|CloseWin &OK");
  EXPECT_EQ(Captions(VoteDesign()),
            "[Votrix] Tamsel's Zozidor Software Vote System|VoteMe このソフトを評価してください|"
            "Thanks(0) Tamsel's Zozidorでは、ユーザーの声を反映する一環として、ソフトウェアに評価"
            "システムを組み込みました。|Thanks(1) あなたがこのソフトの出来をどのようにお考えか、"
            "リストから選択し、送信ボタンをクリックしてください。お一人様一回限りです。|Thanks(2) "
            "※評価データ以外が送信されることはありません。|SelectOne 5段階評価  （最低1～最高5）|"
            "Submit 送信(&S)|Reset キャンセル(&C)");
  std::string items;
  for (std::string_view item : kVoteItems) items += std::string(item) + "|";
  EXPECT_EQ(items, "1-だめだこりゃ|2-物足りない|3-妥当・普通|4-結構ナイス|5-パーフェクト|");

  std::string texts;
  // clang-format off
  for (std::string_view text : {
      kAlreadyRunningMessage, kListToolTip, kPastLogDisabledLine, kHelpNotOpenedMessage,
      kSettingsWarning, kRowToolTips[0], kRowToolTips[1], kRowToolTips[2], kRowToolTips[3],
      kRowToolTips[4], kRowToolTips[5], kKeepSessionToolTip, kRunAtStartupToolTip,
      kWatchBrowsersToolTip, kConnectedBrowsersToolTip, kConnectedBrowsersHead,
      kNoBrowserConnected, kNotWrittenMessage, kNotRegisteredMessage, kNotLinkedMessage,
      kSessionNotSavedMessage, kSessionNotRemovedMessage, kVersionHead, kAboutNote, kVoteQuestion,
      kVoteQuestionCaption, kVoteSending, kVoteThanks, kVoteThanksCaption, kVoteNotSentMessage,
      kVoteClose}) texts += std::string(text) + "|";
  // clang-format on
  EXPECT_EQ(texts,
            "すでに起動しています。|ダブルクリックするとその項目を復元します。|過去ログ機能は無効に"
            "されています。|ヘルプファイルを開けませんでした。|このファイルを直接操作すると予期しな"
            "い動作をする場合があります。必ずソフト本体のオプションから設定してください。|監視ウィ"
            "ンドウに表示する対象を設定します。|過去に監視したログ機能を取得しておくかどうかを設定"
            "します。|監視するウィンドウの最大を入力します。チェックモードに関わらずInternet "
            "Explorer及びExplorer両方の監視合計値を設定してください。|過去ログ機能に保存する最大件"
            "数を設定してください。|ウィンドウをスキャンする間隔を設定してください。|リダイレクト"
            "ページを自動的にスキップしたいサイトを設定してください。リンク先のファイルを信頼できる"
            "場合のみこの機能を使用してください。|監視項目を Zentab2.session に記録し、次に起動し"
            "たときに過去ログの先頭に表示します。|Windows にサインインしたときに Zentab を自動的に"
            "起動します。|Chrome・Edge・Firefox に Zentab の拡張機能を入れると、開いているタブも"
            "監視項目に加わります。|Zentab の拡張機能を通していま Zentab とつながっているブラウザ"
            "です。|接続中のブラウザ: |なし|設定ファイルに書き込めませんでした。|スタートアップに"
            "登録できませんでした。|ブラウザ連携を登録できませんでした。|前回のウィンドウを記録で"
            "きませんでした。|前回のウィンドウを削除できませんでした。|Version: |Internet "
            "Explorer補助ソフト 「Zentab」\r\n\r\n\r\nZentabをご使用いただきありがとうございます。"
            "\r\n\r\n感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。|送信"
            "してもよろしいですか？|確認|お待ちください|ご協力ありがとうございました！|完了|評価を"
            "送信できませんでした。|閉じる(&C)|");
}

}  // namespace
}  // namespace zentab::test
