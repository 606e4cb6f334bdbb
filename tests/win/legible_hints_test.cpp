// The hints drawn in the system hot-light colour, read back from the screen:
// the root or character of the follow drills, the pinyin hint of the
// modern (not 传统) style and the hints of the pinyin article stand out from
// the window as a learner sees them.
#include <gtest/gtest.h>

#include "article_window.h"
#include "screen_pixels.h"

namespace {

class LegibleHints : public ArticleWindow {
protected:
  // The label's text pixels against its background: a contrast of at least 3:1
  // over a good part of the text, not a few stray pixels.
  void ExpectStandsOut(TLabel* label, const char* what) {
    ASSERT_TRUE(label->GetVisible()) << what;
    ASSERT_NE(label->GetCaption(), "") << what;
    Pump();
    const TScreenPixels shown = ReadControl(label);
    const TTextContrast t = MeasureTextContrast(shown);
    const int strong = PixelsAtContrast(shown, t.Background, 3.0);
    EXPECT_GE(t.Ratio, 3.0) << what << ": text " << std::hex << t.Text << " on " << t.Background;
    EXPECT_GE(strong, t.InkPixels / 4) << what << ": " << strong << " of " << t.InkPixels << " text pixels reach 3:1";
  }
  void Shoot(const std::string& name) {
    Pump();
    EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + name));
  }
};

TEST_F(LegibleHints, RootAndCharacterOfTheFollowDrills) {
  for (int type : {7, 8}) {
    SCOPED_TRACE(type);
    Choose(type);
    Start();
    ExpectStandsOut(form->Label8, type == 7 ? "the root" : "the character");
    Shoot(type == 7 ? "hint-root-drill.bmp" : "hint-level1-drill.bmp");
    Key(Focused(), VK_ESCAPE);
  }
}

TEST_F(LegibleHints, PinyinHintOfTheModernStyle) {
  Click(form->CheckBox4->Handle());  // 传统拼音提示 off: the hint goes to the bottom line
  ASSERT_EQ(Practice.Settings.OldPinyinHint, 0);
  Choose(4);
  Start();
  ExpectStandsOut(form->Label8, "the pinyin hint");
  Key(Focused(), VK_ESCAPE);
}

TEST_F(LegibleHints, ReadingsAndPhraseHintsOfThePinyinArticle) {
  WriteArticle("Chinese", "老将.txt", "老将坦率地说明了情况。");
  Choose(21, 4, "老将");
  Start();
  PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);  // the first hint
  Serve();
  ASSERT_TRUE(HintsSettled());
  ExpectStandsOut(form->Label8, "the readings");
  ExpectStandsOut(form->Label16, "the phrase hints");
  EXPECT_NE(form->Label16->GetCaption().find("老将"), std::string::npos) << form->Label16->GetCaption();
  Shoot("hint-pinyin-article.bmp");
  Key(Focused(), VK_ESCAPE);
}

}  // namespace
