#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tools/mediagen/help_images.h"

using namespace mediagen;

namespace {
template <class V>
void ExpectApart(const V& rects) {
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = 0; j < i; ++j) EXPECT_FALSE(rects[i].Overlaps(rects[j])) << i << " " << j;
}
const char* kFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
}  // namespace

TEST(MediaRootMap, LayoutHasEveryKeyOnceAndApart) {
  auto l = RootMapLayout(150, 168, 10, 24, 96);
  std::vector<Rect> rects;
  for (char k = 'a'; k <= 'z'; ++k) {
    ASSERT_TRUE(l.count(k)) << k;
    rects.push_back(l[k]);
    EXPECT_GE(l[k].x, 24);
    EXPECT_GE(l[k].y, 96);
  }
  EXPECT_EQ(l.size(), 26u);
  ExpectApart(rects);
  // Rows in keyboard order.
  EXPECT_LT(l['q'].x, l['w'].x);
  EXPECT_EQ(l['q'].y, l['p'].y);
  EXPECT_GT(l['a'].y, l['q'].y);
  EXPECT_GT(l['m'].y, l['a'].y);
}

TEST(MediaRootMap, ZonesNumberEachRootKeyOnce) {
  std::set<int> zones;
  for (char k = 'a'; k <= 'y'; ++k) {
    int z = RootZone(k);
    EXPECT_TRUE(z / 10 >= 1 && z / 10 <= 5 && z % 10 >= 1 && z % 10 <= 5) << k << z;
    zones.insert(z);
  }
  EXPECT_EQ(zones.size(), 25u);
  EXPECT_EQ(RootZone('g'), 11);
  EXPECT_EQ(RootZone('h'), 21);
  EXPECT_EQ(RootZone('t'), 31);
  EXPECT_EQ(RootZone('y'), 41);
  EXPECT_EQ(RootZone('x'), 55);
  EXPECT_EQ(RootZone('z'), 0);
}

TEST(MediaKeyboard, EveryLetterOnceWithItsFinger) {
  auto keys = MainKeyboard(64, 30, 90);
  std::map<std::string, int> count;
  std::map<std::string, Finger> finger;
  std::vector<Rect> rects;
  for (const auto& k : keys) {
    ++count[k.label];
    finger[k.label] = k.finger;
    rects.push_back(k.rect);
    EXPECT_EQ(k.home, k.label == "F" || k.label == "J") << k.label;
  }
  for (char c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(count[std::string(1, c)], 1) << c;
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(count[std::string(1, c)], 1) << c;
  ExpectApart(rects);
  const std::pair<const char*, Finger> expect[] = {
      {"A", kLeftPinky}, {"S", kLeftRing}, {"D", kLeftMiddle}, {"F", kLeftIndex},
      {"G", kLeftIndex}, {"H", kRightIndex}, {"J", kRightIndex}, {"K", kRightMiddle},
      {"L", kRightRing}, {";", kRightPinky}, {"B", kLeftIndex}, {"N", kRightIndex},
      {"Y", kRightIndex}, {"T", kLeftIndex}, {"5", kLeftIndex}, {"6", kRightIndex},
      {"Q", kLeftPinky}, {"P", kRightPinky}};
  for (const auto& e : expect) EXPECT_EQ(finger[e.first], e.second) << e.first;
  // Every row ends at the same right edge, as on a real board.
  std::map<int, int> right;
  for (const auto& k : keys) right[k.rect.y] = std::max(right[k.rect.y], k.rect.x + k.rect.w);
  for (const auto& r : right) EXPECT_NEAR(r.second, right.begin()->second, 2) << r.first;
}

TEST(MediaKeyboard, KeypadFingering) {
  auto keys = NumericKeypad(90, 60, 100);
  std::vector<Rect> rects;
  std::map<std::string, Finger> finger;
  for (const auto& k : keys) {
    rects.push_back(k.rect);
    finger[k.label] = k.finger;
    EXPECT_EQ(k.home, k.label == "5");
  }
  EXPECT_EQ(keys.size(), 17u);
  ExpectApart(rects);
  for (const char* l : {"7", "4", "1"}) EXPECT_EQ(finger[l], kRightIndex) << l;
  for (const char* l : {"8", "5", "2"}) EXPECT_EQ(finger[l], kRightMiddle) << l;
  for (const char* l : {"9", "6", "3", "."}) EXPECT_EQ(finger[l], kRightRing) << l;
  EXPECT_EQ(finger["0"], kThumb);
  EXPECT_EQ(finger["Enter"], kRightPinky);
}

TEST(MediaRootMap, WrappingShrinksToFitOrGivesUp) {
  std::string err;
  auto f = Font::Open(kFont, 0, err);
  if (!f) GTEST_SKIP() << err;
  Canvas c(200, 200, Opaque(255, 255, 255));
  std::vector<std::string> few = {u8"王", u8"一"}, many(40, u8"戋");
  EXPECT_EQ(DrawWrapped(c, *f, {0, 0, 130, 110}, few, {26, 22, 14}, Opaque(0, 0, 0)), 26);
  EXPECT_EQ(DrawWrapped(c, *f, {0, 0, 130, 110}, many, {26, 22, 14}, Opaque(0, 0, 0)), 14);
  EXPECT_EQ(DrawWrapped(c, *f, {0, 0, 20, 20}, many, {26, 22, 14}, Opaque(0, 0, 0)), 0);
}

TEST(MediaRootMap, EveryRootKeyIsDrawnWithItsRoots) {
  std::string err;
  auto f = Font::Open(kFont, 0, err);
  if (!f) GTEST_SKIP() << err;
  RootTable roots;
  for (char k = 'a'; k <= 'y'; ++k) roots[k] = {u8"王", u8"土"};
  RootTable fewer = roots;
  fewer.erase('k');
  Canvas all = DrawRootMap(*f, roots), lacking = DrawRootMap(*f, fewer);
  ASSERT_EQ(all.width(), lacking.width());
  auto l = RootMapKeys();
  for (char k = 'a'; k <= 'y'; ++k) {
    const Rect r = RootArea(l[k]);
    EXPECT_TRUE(r.Inside(all.width(), all.height()));
    int differ = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) differ += all.At(x, y) != lacking.At(x, y);
    EXPECT_EQ(differ > 0, k == 'k') << k;
  }
}
