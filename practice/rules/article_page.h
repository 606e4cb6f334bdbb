#pragma once
// The article types' part of the practice screen: the six shown rows and the
// input rows under them, the hint labels, and what a call asks the window to
// do once (show a page, recolour a row, move the focus, drive the hint thread).
#include <string>
#include <vector>

#include "practice/rules/article_text.h"
#include "practice/rules/hint_handover.h"

const int kArticleRows = 6;

inline const char* const kArticleTooLargeMessage = "文件超过16MB的上限，无法打开！";
inline const char* const kArticleEmptyMessage = "文件中没有可练习的文字！";
inline const char* const kArticleNotTextMessage = "文件不是文本文件，无法打开！";
// Characters the article has and GBK lacks, told when it opens.
inline std::string ArticleReplacedMessage(std::size_t count) {
  return "文件中有" + std::to_string(count) + "个字符无法显示，已换成“?”。";
}

// The page being typed: rows 1..6 ([0] unused) and their byte lengths.
struct TArticlePage {
  std::string Rows[kArticleRows + 1];
  int RowLengths[kArticleRows + 1] = {};
};

// Control states of the article rows the window mirrors.
struct TArticleScreen {
  bool RowsShown = false;   // RichEdit1..6 and Edit2..7 shown
  int ActiveRow = 0;        // the one enabled input row (1..6), 0 none
  bool InputImeOpen = false;  // Chinese input in the input rows
  bool InputsReadOnly = false;  // paused: the input rows take no input
  bool Label16Visible = false, Label17Visible = false;
  std::string Label16, Label17;
};

enum class THintCommand { None, Start, Pause, Continue, Stop };

// One-off effects of an article call.
struct TArticleEffects {
  bool InstallGuards = false;  // the clipboard guards go on the input rows
  bool RemoveGuards = false;   // and come off again
  bool ShowPage = false;       // the page's rows shown afresh, input rows emptied
  int FocusRow = 0;            // 1..6: that input row takes the focus
  int ColourRow = 0;           // 1..6: ColourChanges apply to that shown row
  std::vector<TColourRun> ColourChanges;
  bool ErrorSound = false;
  THintCommand Hints = THintCommand::None;  // for the type's hint thread
  bool Offer = false;          // hand Request to the hint thread if it is idle
  THintRequest Request;
  std::string ErrorBox;        // an "错误" box with the error icon
};
