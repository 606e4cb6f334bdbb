#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/base/classes.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/streams.h"

namespace {
std::vector<std::string> Items(const TStrings& s) { return s.ToVector(); }
using V = std::vector<std::string>;
}  // namespace

TEST(RtlTList, EditingAndBadIndices) {
  int a = 1, b = 2, c = 3;
  TList l;
  EXPECT_THROW(l.First(), EListError);
  EXPECT_EQ(l.Add(&a), 0);
  EXPECT_EQ(l.Add(&c), 1);
  l.Insert(1, &b);
  EXPECT_EQ(l.Items(1), &b);
  EXPECT_EQ(l.Last(), &c);
  EXPECT_EQ(l.Remove(&a), 0);
  EXPECT_EQ(l.Remove(&a), -1);
  EXPECT_EQ(l.IndexOf(&c), 1);
  l.Delete(0);
  ASSERT_EQ(l.Count(), 1);
  EXPECT_EQ(l.First(), &c);
  EXPECT_THROW(l.Items(1), EListError);
  EXPECT_THROW(l.Items(-1), EListError);
  EXPECT_THROW(l.Insert(2, &a), EListError);
  EXPECT_THROW(l.Delete(1), EListError);
}

TEST(RtlStringList, EditingAndObjects) {
  TObject o1, o2;
  TStringList l;
  EXPECT_EQ(l.Add("one"), 0);
  EXPECT_EQ(l.AddObject("three", &o2), 1);
  l.InsertObject(1, "two", &o1);
  l.Insert(0, "zero");
  EXPECT_EQ(Items(l), (V{"zero", "one", "two", "three"}));
  EXPECT_EQ(l.Objects(0), nullptr);
  EXPECT_EQ(l.Objects(2), &o1);
  EXPECT_EQ(l.Objects(3), &o2);
  l.SetStrings(2, "TWO");  // the object stays with its slot
  EXPECT_EQ(l[2], "TWO");
  EXPECT_EQ(l.Objects(2), &o1);
  l.Delete(0);
  EXPECT_EQ(Items(l), (V{"one", "TWO", "three"}));
  EXPECT_EQ(l.Objects(1), &o1);
  EXPECT_THROW(l.Strings(3), EListError);
  EXPECT_THROW(l.Objects(-1), EListError);
  EXPECT_THROW(l.Insert(4, "x"), EListError);
  EXPECT_THROW(l.Delete(3), EListError);
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(RtlStringList, IndexOfIgnoresAsciiCaseOnly) {
  TStringList l;
  l.SetVector({"Alpha", "beta", "中文", "BETA", "\xD6\xF0"});
  struct Case { const char* key; int index; } cases[] = {
      {"alpha", 0}, {"ALPHA", 0}, {"Beta", 1}, {"中文", 2}, {"gamma", -1}, {"", -1}, {"alph", -1},
      // Double-byte characters are compared byte for byte: D6 F0 is not D6 D0.
      {"\xD6\xD0", -1}, {"\xD6\xF0", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(l.IndexOf(c.key), c.index) << c.key;
}

TEST(RtlStringList, TextSplitsEveryKindOfLineEnd) {
  struct Case { std::string text; V items; } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then a lone CR: two ends
      {"a\r\r\nb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {"中\r\n文", {"中", "文"}},
  };
  for (const Case& c : cases) {
    TStringList l;
    l.SetText(c.text);
    EXPECT_EQ(Items(l), c.items) << "case " << &c - cases;
  }
  TStringList l;
  l.SetVector({"x", "", "中"});
  EXPECT_EQ(l.Text(), "x\r\n\r\n中\r\n");
  TStringList back;
  back.SetText(l.Text());
  EXPECT_EQ(Items(back), Items(l));
}

TEST(RtlStringList, SortedListsKeepOrder) {
  TObject o;
  TStringList l;
  l.SetVector({"pear", "Apple", "fig", "apple"});
  l.SetObjects(2, &o);
  l.SetSorted(true);
  EXPECT_EQ(Items(l), (V{"Apple", "apple", "fig", "pear"}));  // equal items keep their order
  EXPECT_EQ(l.Objects(2), &o);                                // objects move with strings
  EXPECT_EQ(l.Add("APPLE"), 2);                               // after the equal ones
  EXPECT_EQ(l.Add("banana"), 3);
  EXPECT_EQ(l.Add("zz"), 6);
  EXPECT_EQ(Items(l), (V{"Apple", "apple", "APPLE", "banana", "fig", "pear", "zz"}));
  EXPECT_THROW(l.Insert(0, "a"), EListError);
  EXPECT_THROW(l.SetStrings(0, "a"), EListError);
  l.SetSorted(false);
  l.Insert(0, "zzz");
  EXPECT_EQ(l[0], "zzz");
}

TEST(RtlStringList, ChangeNotificationsAndUpdates) {
  TStringList l;
  std::vector<TObject*> senders;
  l.OnChange = [&](TObject* sender) { senders.push_back(sender); };
  l.Add("a");
  l.Insert(0, "b");
  l.Delete(1);
  EXPECT_EQ(senders.size(), 3u);
  EXPECT_EQ(senders[0], &l);
  senders.clear();
  l.SetText("x\ny\nz");  // one notification for the whole text
  EXPECT_EQ(senders.size(), 1u);
  senders.clear();
  l.BeginUpdate();
  l.Add("1");
  l.BeginUpdate();
  l.Add("2");
  l.EndUpdate();
  EXPECT_TRUE(senders.empty());
  l.EndUpdate();
  EXPECT_EQ(senders.size(), 1u);
}

TEST(RtlStringList, AssignCopiesStringsAndObjects) {
  TObject o;
  TStringList a, b;
  a.AddObject("k", &o);
  a.Add("v");
  b.Add("old");
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(a);
  EXPECT_EQ(Items(b), (V{"k", "v"}));
  EXPECT_EQ(b.Objects(0), &o);
  EXPECT_EQ(changes, 1);
  b.Assign(b);
  EXPECT_EQ(Items(b), (V{"k", "v"}));
  TPersistent other;
  EXPECT_THROW(b.Assign(other), EPropertyError);
  EXPECT_EQ(Items(b), (V{"k", "v"}));
}

TEST(RtlStringList, FilesKeepGbkBytesWithCrLf) {
  const std::string path = ::testing::TempDir() + "rtl_list.txt";
  TStringList l;
  l.SetVector({"中文", "", "abc \t"});
  l.SaveToFile(path);
  TBytes bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "\xD6\xD0\xCE\xC4\r\n\r\nabc \t\r\n");

  const std::string mixed = "one\rtwo\nthree\r\nfour";
  ASSERT_TRUE(WriteFileBytes(path, mixed.data(), mixed.size()));
  TStringList r;
  r.LoadFromFile(path);
  EXPECT_EQ(Items(r), (V{"one", "two", "three", "four"}));

  // A missing file raises and keeps the list.
  RemoveFile(path);
  EXPECT_THROW(r.LoadFromFile(path), EFOpenError);
  EXPECT_EQ(r.Count(), 4);
}
