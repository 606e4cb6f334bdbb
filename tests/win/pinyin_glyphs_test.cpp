// Pinyin letters with tone marks as the program's own labels draw them: each
// letter of GBK row A8 leaves its mark, and a phrase drill shows third tones.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screen_pixels.h"
#include "screenshot.h"

namespace {

class PinyinGlyphs : public MainFormTest {
protected:
  // Pixels of `label` that differ from its background, with `text` shown.
  int InkOf(TLabel* label, const std::string& text) {
    label->SetCaption(text);
    Pump();
    const TScreenPixels shown = ReadControl(label);
    return MeasureTextContrast(shown).InkPixels;
  }
};

TEST_F(PinyinGlyphs, EveryToneLetterOfRowA8LeavesMoreInkThanItsBareLetter) {
  // A8A1..A8BA: ā á ǎ à ē é ě è ī í ǐ ì ō ó ǒ ò ū ú ǔ ù ǖ ǘ ǚ ǜ ü ê.
  const char bare[] = "aaaaeeeeiiiioooouuuuuuuuue";
  TLabel* hint = form->Label11;  // the hint label above item 1 (64 px)
  hint->SetVisible(true);
  for (int i = 0; i < 26; ++i) {
    const std::string letter{'\xA8', static_cast<char>(0xA1 + i)};
    const int marked = InkOf(hint, letter), plain = InkOf(hint, std::string(1, bare[i]));
    EXPECT_GT(plain, 0) << bare[i];
    EXPECT_GT(marked, plain) << "A8" << std::hex << (0xA1 + i) << " draws no more than " << bare[i];
  }
}

TEST_F(PinyinGlyphs, ThirdTonesInAPhraseDrill) {
  // The phrase table cut down to two phrases with third tones.
  TPYTwoTable& phrases = Practice.Dictionaries.PYTwoTable;
  std::vector<svlcharsetpyTwo> kept;
  for (int r = 1; r <= phrases.Count(); ++r)
    if (phrases[r].Phrase == "老将" || phrases[r].Phrase == "坦率") kept.push_back(phrases[r]);
  ASSERT_EQ(kept.size(), 2u) << "老将 and 坦率 are in the dictionary";
  phrases.Clear();
  for (const auto& p : kept) phrases.Add(p);

  Click(form->RadioGroup1->Buttons(6)->Handle());
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  for (TLabel* hint : {form->Label11, form->Label13}) {
    const std::string spelling = hint->GetCaption();
    ASSERT_NE(spelling.find("ǎ"), std::string::npos) << spelling << " (lǎo or tǎn)";
    const TScreenPixels shown = ReadControl(hint);
    EXPECT_GT(MeasureTextContrast(shown).InkPixels, 0) << spelling;
  }
  Pump();
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "pinyin-third-tones.bmp"));
  Key(form->Edit1->Handle(), VK_ESCAPE);
}

}  // namespace
