#include "practice/rules/items.h"

#include "toolkit/base/sysutils.h"

int TItemDrawer::Pick(int count, const char* table) const {
  if (count <= 0) throw EItemDrawError(std::string(table) + ": 没有可抽取的记录");
  int r = random_.Random(count);
  return r < 0 || r >= count ? 0 : r;
}

svlcharsetpy TItemDrawer::DrawPinyin() const {
  int no = Pick(d_.PYsTable.Count(), "PYs.dat") + 1;
  const svlcharsetPYs& rec = d_.PYsTable[no];
  svlcharsetpy item;
  item.HintSpelling = rec.HintSpelling;
  item.Character = rec.Character;
  item.Pinyin = rec.Pinyin;
  item.RecordNo = no;
  item.SoundName = rec.SoundName;
  item.HintCycle = 1;
  return item;
}

svlcharsetpyTwo TItemDrawer::DrawPinyinPhrase() const {
  return d_.PYTwoTable[Pick(d_.PYTwoTable.Count(), "PYTwo.dat") + 1];
}

svlcharsetzg TItemDrawer::DrawRoot() const {
  const char* rec = d_.WbzgBuffer.Record(Pick(d_.WbzgBuffer.Count, "wbzg.dat"), kWbzgRecordSize);
  return {UpperCase(Trim(std::string(rec + 2, 1))), std::string(rec, 2)};
}

svlcharset1 TItemDrawer::DrawLevel1() const {
  const char* rec = d_.Wb1Buffer.Record(Pick(d_.Wb1Buffer.Count, "wb1.dat"), kWb1RecordSize);
  return {UpperCase(Trim(std::string(rec + 2, 1))), std::string(rec, 2)};
}

svlcharset2 TItemDrawer::DrawLevel2() const {
  int k = Pick(d_.Wb2Buffer.Count, "wb2.dat");
  const char* rec = d_.Wb2Buffer.Record(k, kWb2RecordSize);
  svlcharset2 item;
  item.Character = std::string(rec, 2);
  item.Code = UpperCase(Trim(std::string(rec + 2, 2)));
  std::string picture = Trim(std::string(rec + 8, 8));
  int no = 0;
  if (!TryStrToInt(picture, no))
    throw EItemDrawError("wb2.dat: 第" + std::to_string(k + 1) + "条记录的图片号\"" + picture +
                         "\"不是整数");
  item.PictureNo = no;
  return item;
}

svlcharset TItemDrawer::DrawWubiChar() const {
  const svlcharsetWBs& rec = d_.WbsTable[Pick(d_.WbsTable.Count(), "wbs.dat") + 1];
  svlcharset item;
  for (int i = 1; i <= 4; ++i) item.Codes[i] = rec.Codes[i];
  item.Character = rec.Character;
  item.PictureNo = rec.PictureNo;
  item.HintCycle = 1;
  return item;
}

svlcharsetWBTwo TItemDrawer::DrawWubiPhrase() const {
  return d_.WbTwoTable[Pick(d_.WbTwoTable.Count(), "wbTwo.dat") + 1];
}

void TItemDrawer::Replace(int type, int n, TPracticeItems& items) const {
  switch (type) {
    case 3: case 4: items.PinyinItems[n] = DrawPinyin(); break;
    case 5: case 6: items.PinyinPhraseItems[n] = DrawPinyinPhrase(); break;
    case 7: case 12: items.RootItems[n] = DrawRoot(); break;
    case 8: case 13: items.Level1Items[n] = DrawLevel1(); break;
    case 9: case 14: items.Level2Items[n] = DrawLevel2(); break;
    case 10: case 15: items.WubiCharItems[n] = DrawWubiChar(); break;
    case 11: case 16: items.WubiPhraseItems[n] = DrawWubiPhrase(); break;
    default: break;
  }
}

char DrawSymbol(TRandomSource& random, bool digits, bool capitals, char avoid) {
  char first = digits ? '0' : (capitals ? 'A' : 'a');
  int range = digits ? 10 : 26;
  int r = random.Random(range);
  if (r < 0 || r >= range) r = 0;
  char c = static_cast<char>(first + r);
  if (c == avoid) {
    if (digits) c = c == '9' ? '1' : static_cast<char>(c + 1);
    else c = c == first + 25 ? first : static_cast<char>(c + 1);
  }
  return c;
}
