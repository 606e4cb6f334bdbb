#include "practice/rules/practice_types.h"

namespace {
const char* const kCaptions[kPracticeTypeCount] = {
    "英文(大)", "英文(小)", "数字练习", "拼单字练", "拼单字跟", "拼词组练", "拼词组跟", "字根跟打",
    "一级跟打", "二级跟打", "五笔单跟", "五笔词跟", "字根练习", "一级简码", "二级简码", "五笔单练",
    "五笔词练", "英文游戏", "数字游戏", "英文文章", "数字文章", "拼音文章", "五笔文章"};
const int kTestLengths[5] = {60, 300, 900, 1800, 3600};
}  // namespace

std::string PracticeTypeCaption(int type) {
  if (type < 0 || type >= kPracticeTypeCount) return std::string();
  return kCaptions[type];
}

int ItemCountOfType(int type) {
  if (IsPhraseType(type)) return 2;
  if (IsDrillType(type) || IsCodeType(type)) return 4;
  return 0;
}

int TestLengthOfItem(int item) { return item >= 0 && item < 5 ? kTestLengths[item] : 0; }

std::string StartChoiceError(int type, int lengthItem, int articleItem) {
  if (type < 0 || type >= kPracticeTypeCount) return "请选择打字类型";
  if (TestLengthOfItem(lengthItem) == 0) return "请选择测试时间";
  if (articleItem < 0) {
    if (type == 19) return "请先选择练习的英文文章。";
    if (type == 21) return "请先选择练习的拼音文章。";
    if (type == 22) return "请先选择练习的五笔文章。";
  }
  return std::string();
}
