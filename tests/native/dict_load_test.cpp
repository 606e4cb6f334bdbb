#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>
#include <stdexcept>
#include "dict_test_util.h"
#include "practice/data/dict_load.h"

namespace {
std::string Pad(std::string s, std::size_t width) {
  s.resize(std::max(s.size(), width), ' ');
  return s;
}

const std::string kWbOneLine = Pad("vbg vb  vbg vb", 23) + "好";
const std::string kPYsLine = Pad("hǎo", 12) + "好   hao3";
const std::string kPYTwoLine = Pad(Pad(Pad("zhongguo", 12) + Pad("中国", 6) + "zhōng guó", 39), 39) + "zhong1 guo2";
const std::string kPYMultiLine = Pad(Pad("zhongguoren", 12) + Pad("中国人", 20) + "zhōng guó rén", 84) + "zhong1 guo2 ren2";

// One small, valid file of each kind.
void WriteValidSet(const TDictFolder& d) {
  d.WritePlain("wb1.dat", "一g\r\n");
  d.WritePlain("wb2.dat", "五gg    " + Pad("", 7) + "1\r\n");
  d.WriteEnciphered("wbzg.dat", "王g\r\n土f\r\n");
  d.WriteLines("wbOne.dat", {kWbOneLine});
  d.WriteLines("wbs.dat", {kWbOneLine + "   1"});
  d.WriteLines("wbTwo.dat", {"khlg        中国"});
  d.WriteLines("wbMulti.dat", {"khlw        中国人"});
  d.WriteLines("PYs.dat", {kPYsLine});
  d.WriteLines("PYOne.dat", {kPYsLine});
  d.WriteLines("PYTwo.dat", {kPYTwoLine});
  d.WriteLines("PYMulti.dat", {kPYMultiLine});
}

void ExpectEmpty(const TDictionaries& d) {
  EXPECT_FALSE(d.Loaded);
  EXPECT_EQ(d.Wb1Buffer.Count + d.Wb2Buffer.Count + d.WbzgBuffer.Count, 0);
  EXPECT_TRUE(d.Wb1Buffer.Data.empty());
  EXPECT_EQ(d.WbOneTable.Count() + d.WbsTable.Count() + d.WbTwoTable.Count() + d.WbMultiTable.Count() +
                d.PYsTable.Count() + d.PYOneTable.Count() + d.PYTwoTable.Count() + d.PYMultiTable.Count(),
            0);
  EXPECT_TRUE(d.PinyinGroups[1].Pinyins[1].empty());
}

int CountLines(const TDictFolder& dir, const std::string& name, int minLength) {
  return LoadTextDictionary(dir.Path(), name, minLength, [](const std::string&) { return true; });
}
}  // namespace

TEST(DictLoadTest, LoadsEveryFileAndLeavesNoTemporaryFile) {
  TDictFolder dir;
  WriteValidSet(dir);
  TDictionaries d;
  TDictLoadResult r = LoadDictionaries(dir.Path(), d);
  ASSERT_EQ(r.Status, TDictLoadStatus::Ok) << r.Message();
  EXPECT_TRUE(d.Loaded);
  EXPECT_EQ(d.Wb1Buffer.Count, 1);
  EXPECT_EQ(d.Wb2Buffer.Count, 1);
  EXPECT_EQ(d.WbzgBuffer.Count, 2);
  EXPECT_EQ(std::string(d.Wb2Buffer.Record(0, kWb2RecordSize), 4), "五gg");
  EXPECT_EQ(std::string(d.WbzgBuffer.Record(1, kWbzgRecordSize), 3), "土f");
  EXPECT_EQ(d.WbOneTable[1].Character, "好");
  EXPECT_EQ(d.WbsTable[1].PictureNo, 1);
  EXPECT_EQ(d.WbMultiTable[1].Word, "中国人");
  EXPECT_EQ(d.PYOneTable[1].SoundName, "MyPyWAVhao3");
  EXPECT_EQ(d.PYTwoTable[1].SoundNames[2], "MyPyWAVguo2");
  EXPECT_EQ(d.PYMultiTable[1].SoundNames[3], "MyPyWAVren2");
  EXPECT_EQ(d.PinyinGroups[1].Pinyins[1], "hao");
  EXPECT_EQ(dir.Files().size(), 11u);

  d.FreeBuffers();
  EXPECT_TRUE(d.Wb1Buffer.Data.empty());
  EXPECT_EQ(d.WbzgBuffer.Count, 0);
}

TEST(DictLoadTest, ShortCodeFilesThatDoNotOpen) {
  struct {
    std::vector<std::string> missing;
    const char* reported;
  } cases[] = {{{"wb1.dat"}, "wb1.dat"}, {{"wb2.dat"}, "wb2.dat"}, {{"wb1.dat", "wb2.dat"}, "wb1.dat"}};
  for (const auto& c : cases) {
    TDictFolder dir;
    WriteValidSet(dir);
    for (const auto& f : c.missing) std::remove((dir.Path() + f).c_str());
    TDictionaries d;
    TDictLoadResult r = LoadDictionaries(dir.Path(), d);
    EXPECT_EQ(r.Status, TDictLoadStatus::ShortCodesNotOpened);
    EXPECT_EQ(r.FileName, c.reported);
    ExpectEmpty(d);
  }
}

// A missing or unusable file fails the whole load, names the file and leaves
// nothing loaded, even over tables a previous load filled.
TEST(DictLoadTest, FailuresNameTheFileAndLeaveNothingHalfLoaded) {
  struct {
    const char* file;
    bool remove;            // else replaced by `content`
    std::string content;    // plain for wb1/wb2, deciphered text otherwise
  } cases[] = {
      {"wbzg.dat", true, ""},    {"wbOne.dat", true, ""}, {"wbs.dat", true, ""},    {"wbTwo.dat", true, ""},
      {"wbMulti.dat", true, ""}, {"PYs.dat", true, ""},   {"PYOne.dat", true, ""},  {"PYTwo.dat", true, ""},
      {"PYMulti.dat", true, ""}, {"wb1.dat", false, ""},  {"wb2.dat", false, "0123456789abcdefg"},
      {"wbzg.dat", false, "王g\r\n"},  // one record: the last is never used
      {"wbs.dat", false, "short\r\n"},   {"wbTwo.dat", false, ""},
      {"PYs.dat", false, "\r\n" + kPYsLine + "\r\n"}, {"PYTwo.dat", false, kPYsLine + "\r\n"},
  };
  for (const auto& c : cases) {
    TDictFolder dir;
    WriteValidSet(dir);
    TDictionaries d;
    ASSERT_EQ(LoadDictionaries(dir.Path(), d).Status, TDictLoadStatus::Ok);
    std::string name = c.file;
    if (c.remove) std::remove((dir.Path() + name).c_str());
    else if (name == "wb1.dat" || name == "wb2.dat") dir.WritePlain(name, c.content);
    else dir.WriteEnciphered(name, c.content);
    TDictLoadResult r = LoadDictionaries(dir.Path(), d);
    EXPECT_EQ(r.Status, TDictLoadStatus::Failed) << name << " " << c.remove;
    EXPECT_EQ(r.FileName, name);
    EXPECT_FALSE(r.Reason.empty());
    ExpectEmpty(d);
    EXPECT_EQ(dir.Files().size(), c.remove ? 10u : 11u) << name;
  }
}

TEST(DictLoadTest, TablesOnlyScannedByHintsMayBeEmpty) {
  for (const char* f : {"wbOne.dat", "wbMulti.dat", "PYOne.dat", "PYMulti.dat"}) {
    TDictFolder dir;
    WriteValidSet(dir);
    dir.WriteEnciphered(f, "");
    TDictionaries d;
    EXPECT_EQ(LoadDictionaries(dir.Path(), d).Status, TDictLoadStatus::Ok) << f;
  }
}

TEST(DictLoadTest, ReadingStopsAtTheFirstShortLine) {
  TDictFolder dir;
  struct {
    std::string text;
    int lines;
  } cases[] = {
      {"abcdefgh\r\n\r\nabcdefgh\r\n", 1},           // an empty line ends the table
      {"abcdefgh\r\nabc\r\nabcdefgh\r\n", 1},        // so does a short one
      {"abcdefgh\r\nabcdefgh\r\n", 2},
      {"", 0},
      {"abcd\r\n", 0},
  };
  for (const auto& c : cases) {
    dir.WriteEnciphered("x.dat", c.text);
    EXPECT_EQ(CountLines(dir, "x.dat", 8), c.lines) << c.text;
  }
  // Lines reach the handler without their CR LF.
  dir.WriteEnciphered("x.dat", "abcdefgh\r\nij\r\n");
  std::vector<std::string> seen;
  LoadTextDictionary(dir.Path(), "x.dat", 2, [&](const std::string& l) { return seen.push_back(l), true; });
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "abcdefgh");
  EXPECT_EQ(seen[1], "ij");
}

TEST(DictLoadTest, DamagedTextIsAnErrorAndMakesNoTemporaryFile) {
  TDictFolder dir;
  std::string garbage;
  for (int i = 0; i < 400; ++i) garbage += char(i * 131 % 251 + 1);
  const std::string cases[] = {"abcdefgh\r\nabcdefgh", garbage};
  for (const auto& text : cases) {
    dir.WriteEnciphered("PYOne.dat", text);
    try {
      CountLines(dir, "PYOne.dat", 8);
      ADD_FAILURE() << "no error";
    } catch (const EDictionaryError& e) {
      EXPECT_EQ(e.FileName, "PYOne.dat");
    }
  }
  // Plain text that was never enciphered, and a file cut short inside a block.
  dir.WritePlain("PYOne.dat", kPYsLine + "\r\n");
  EXPECT_THROW(CountLines(dir, "PYOne.dat", 16), EDictionaryError);
  const std::string text = kPYsLine + "\r\n";
  TBytes whole = EncipherBytes(TBytes(text.begin(), text.end()));
  dir.WritePlain("PYOne.dat", std::string(whole.begin(), whole.end()));
  EXPECT_EQ(CountLines(dir, "PYOne.dat", 16), 1);
  dir.WritePlain("PYOne.dat", std::string(whole.begin(), whole.end() - 3));
  EXPECT_THROW(CountLines(dir, "PYOne.dat", 16), EDictionaryError);
  EXPECT_EQ(dir.Files().size(), 1u);

  WriteValidSet(dir);
  dir.WritePlain("PYOne.dat", garbage);
  TDictionaries d;
  TDictLoadResult r = LoadDictionaries(dir.Path(), d);
  EXPECT_EQ(r.Status, TDictLoadStatus::Failed);
  EXPECT_EQ(r.FileName, "PYOne.dat");
  ExpectEmpty(d);
}

TEST(DictLoadTest, TablesStopAtTheirCapacity) {
  TDictFolder dir;
  WriteValidSet(dir);
  std::vector<std::string> many(TPYMultiTable::Capacity + 5, kPYMultiLine);
  dir.WriteLines("PYMulti.dat", many);
  std::vector<std::string> words(TWbMultiTable::Capacity + 1, "khlw        中国人");
  dir.WriteLines("wbMulti.dat", words);
  std::vector<std::string> chars(TWbsTable::Capacity + 2, kWbOneLine + "   1");
  dir.WriteLines("wbs.dat", chars);
  TDictionaries d;
  ASSERT_EQ(LoadDictionaries(dir.Path(), d).Status, TDictLoadStatus::Ok);
  EXPECT_EQ(d.PYMultiTable.Count(), 1500);
  EXPECT_EQ(d.WbMultiTable.Count(), 1500);
  EXPECT_EQ(d.WbsTable.Count(), 3000);
  EXPECT_THROW(d.WbsTable[3001], EAssertionFailed);
  EXPECT_THROW(d.WbsTable[0], EAssertionFailed);

  TPYsTable t;
  for (int i = 0; i < TPYsTable::Capacity; ++i) ASSERT_TRUE(t.Add(svlcharsetPYs()));
  EXPECT_FALSE(t.Add(svlcharsetPYs()));
  EXPECT_EQ(t.Count(), 3300);
}

TEST(DictLoadTest, TemporaryFileGoesOnEveryPath) {
  TDictFolder dir;
  dir.WriteLines("wbTwo.dat", {"khlg        中国", "khlg        中国"});
  bool sawTemp = false;
  EXPECT_THROW(LoadTextDictionary(dir.Path(), "wbTwo.dat", 12,
                                  [&](const std::string&) -> bool {
                                    sawTemp = FileExists(dir.Path() + "wbTwoTemp.dat");
                                    throw std::runtime_error("handler failed");
                                  }),
               std::runtime_error);
  EXPECT_TRUE(sawTemp);
  EXPECT_FALSE(FileExists(dir.Path() + "wbTwoTemp.dat"));

  // A temporary file that cannot be written is named in the error.
  std::string blocker = dir.Path() + "wbTwoTemp.dat";
  ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
  ASSERT_TRUE(WriteFileBytes(blocker + "/keep", "x", 1));
  try {
    CountLines(dir, "wbTwo.dat", 12);
    ADD_FAILURE() << "no error";
  } catch (const EDictionaryError& e) {
    EXPECT_EQ(e.FileName, "wbTwoTemp.dat");
  }
  std::remove((blocker + "/keep").c_str());
  rmdir(blocker.c_str());
  EXPECT_TRUE(FileExists(dir.Path() + "wbTwo.dat"));
}

namespace {
const char* const kTextFiles[] = {"wbOne.dat", "wbs.dat",   "wbTwo.dat", "wbMulti.dat",
                                  "PYs.dat",   "PYOne.dat", "PYTwo.dat", "PYMulti.dat"};

// A folder that refuses the temporary files, even to root: each name is taken by a folder.
struct TRefusingFolder {
  explicit TRefusingFolder(const TDictFolder& dir) : dir_(dir) {
    for (const char* f : kTextFiles) EXPECT_EQ(mkdir((dir.Path() + TempDictionaryName(f)).c_str(), 0700), 0) << f;
  }
  ~TRefusingFolder() {
    for (const char* f : kTextFiles) rmdir((dir_.Path() + TempDictionaryName(f)).c_str());
  }
  const TDictFolder& dir_;
};
}  // namespace

// A program folder the user may only read: the texts go through the spare
// (the user's temporary) folder, and nothing is left in either.
TEST(DictLoadTest, TemporaryFilesGoToTheSpareFolderWhereTheProgramFolderRefusesThem) {
  TDictFolder dir, spare;
  WriteValidSet(dir);
  TRefusingFolder refusing(dir);
  TDictionaries d;
  TDictLoadResult r = LoadDictionaries(dir.Path(), d);
  EXPECT_EQ(r.Status, TDictLoadStatus::Failed) << "no spare folder";
  EXPECT_EQ(r.Message(), "wbOneTemp.dat: 无法写入临时文件");

  r = LoadDictionaries(dir.Path(), d, spare.Path());
  ASSERT_EQ(r.Status, TDictLoadStatus::Ok) << r.Message();
  EXPECT_EQ(d.WbOneTable[1].Character, "好");
  EXPECT_EQ(d.PYMultiTable[1].SoundNames[3], "MyPyWAVren2");
  EXPECT_EQ(d.PinyinGroups[1].Pinyins[1], "hao");
  EXPECT_TRUE(spare.Files().empty());
  EXPECT_EQ(dir.Files().size(), 11u + 8u);

  bool inSpare = false;
  EXPECT_EQ(LoadTextDictionary(dir.Path(), "wbTwo.dat", 12,
                               [&](const std::string&) {
                                 inSpare = FileExists(spare.Path() + "wbTwoTemp.dat");
                                 return true;
                               },
                               spare.Path()),
            1);
  EXPECT_TRUE(inSpare);
  EXPECT_TRUE(spare.Files().empty());

  // A spare folder that refuses too: the temporary file is named.
  const std::string noFolder = dir.Path() + "wb1.dat/";
  r = LoadDictionaries(dir.Path(), d, noFolder);
  EXPECT_EQ(r.Message(), "wbOneTemp.dat: 无法写入临时文件");
  ExpectEmpty(d);
}

// Where the program folder takes the temporary file, it stays beside the
// dictionaries and the spare folder is not touched.
TEST(DictLoadTest, TemporaryFileStaysBesideTheDictionariesWhereItCan) {
  TDictFolder dir, spare;
  dir.WriteLines("wbTwo.dat", {"khlg        中国"});
  bool inFolder = false, inSpare = true;
  LoadTextDictionary(dir.Path(), "wbTwo.dat", 12,
                     [&](const std::string&) {
                       inFolder = FileExists(dir.Path() + "wbTwoTemp.dat");
                       inSpare = FileExists(spare.Path() + "wbTwoTemp.dat");
                       return true;
                     },
                     spare.Path());
  EXPECT_TRUE(inFolder);
  EXPECT_FALSE(inSpare);
  EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(DictLoadTest, PinyinGroupsFromTheFirstForty) {
  TPYsTable pys;
  for (int r = 1; r <= 40; ++r) {
    svlcharsetPYs rec;
    rec.Pinyin = "p" + std::to_string(r);
    rec.HintSpelling = "h" + std::to_string(r);
    rec.SoundName = "MyPyWAVs" + std::to_string(r);
    pys.Add(rec);
  }
  svlcharsetpy2 groups[kPinyinGroupCount + 1];
  BuildPinyinGroups(pys, groups);
  EXPECT_EQ(groups[1].Pinyins[1], "p1");
  EXPECT_EQ(groups[1].Pinyins[2], "p2");
  EXPECT_EQ(groups[17].HintSpellings[1], "h33");
  EXPECT_EQ(groups[17].SoundNames[2], "MyPyWAVs34");
  EXPECT_EQ(groups[17].Pinyins[3], "");
  EXPECT_EQ(groups[18].Pinyins[1], "p35");
  EXPECT_EQ(groups[18].Pinyins[3], "p37");
  EXPECT_EQ(groups[19].Pinyins[1], "p38");
  EXPECT_EQ(groups[19].SoundNames[3], "MyPyWAVs40");

  // Fewer than 40 records leave the later slots empty.
  TPYsTable few;
  for (int r = 1; r <= 5; ++r) few.Add(pys[r]);
  BuildPinyinGroups(few, groups);
  EXPECT_EQ(groups[3].Pinyins[1], "p5");
  EXPECT_EQ(groups[3].Pinyins[2], "");
  EXPECT_EQ(groups[4].Pinyins[1], "");
  EXPECT_EQ(groups[19].SoundNames[1], "");

  struct {
    int record, group;
  } owners[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {34, 17}, {35, 18}, {37, 18}, {38, 19}, {40, 19}, {41, 0}};
  for (const auto& o : owners) EXPECT_EQ(PinyinGroupOfRecord(o.record), o.group) << o.record;
}
