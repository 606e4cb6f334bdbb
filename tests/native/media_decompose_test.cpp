// Which roots a decomposition picture names for each code letter.
#include <gtest/gtest.h>

#include "tools/mediagen/decompose.h"

using namespace mediagen;

namespace {
struct DecomposeTest : ::testing::Test {
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(ParseRoots(u8"g\t王 一\nh\t丨\nk\t口\nl\t囗\ny\t丶\nv\t女\nb\t子\nw\t亻\nu\t门\nn\t乙\nj\t日\ne\t月\nd\t大\n",
                           roots, err)) << err;
    ASSERT_TRUE(ParseDecompositions(u8"好:a(女,子)\n国:s(囗,玉)\n玉:d(王,丶)\n们:a(亻,门)\n明:a(日,月)\n"
                                    u8"因:s(囗,大)\n口:sw(90001)\n90001:ra(口)\n",
                                    d, err)) << err;
  }
  std::vector<std::string> Roots(const std::vector<LetterRoots>& v) {
    std::vector<std::string> out;
    for (const auto& l : v) out.push_back(l.identification ? "id" : l.roots.empty() ? "" : l.roots[0]);
    return out;
  }
  RootTable roots;
  Decompositions d;
  std::vector<LetterRoots> out;
};
}  // namespace

TEST_F(DecomposeTest, SplitsThatSpellTheCodeNameTheirRoots) {
  ASSERT_TRUE(RootsOfCode(u8"好", "vbg", d, roots, out));
  EXPECT_EQ(Roots(out), (std::vector<std::string>{u8"女", u8"子", "id"}));
  ASSERT_TRUE(RootsOfCode(u8"国", "lgyi", d, roots, out));  // through the component 玉
  EXPECT_EQ(Roots(out), (std::vector<std::string>{u8"囗", u8"王", u8"丶", "id"}));
  ASSERT_TRUE(RootsOfCode(u8"明", "jeg", d, roots, out));
  EXPECT_EQ(Roots(out), (std::vector<std::string>{u8"日", u8"月", "id"}));
}

TEST_F(DecomposeTest, RootCharactersSpellThemselvesAndTheirStrokes) {
  ASSERT_TRUE(RootsOfCode(u8"王", "gggg", d, roots, out));  // key name
  EXPECT_EQ(Roots(out), (std::vector<std::string>{u8"王", u8"王", u8"王", u8"王"}));
  ASSERT_TRUE(RootsOfCode(u8"门", "uyhn", d, roots, out));
  EXPECT_EQ(Roots(out), (std::vector<std::string>{u8"门", u8"丶", u8"丨", u8"乙"}));
}

TEST_F(DecomposeTest, NoMatchFallsBackToKeyCaps) {
  EXPECT_FALSE(RootsOfCode(u8"好", "vcg", d, roots, out));  // keys disagree with the code
  EXPECT_FALSE(RootsOfCode(u8"们", "wuna", d, roots, out));  // code one letter too long
  EXPECT_FALSE(RootsOfCode(u8"宝", "pgyu", d, roots, out));  // no decomposition
  EXPECT_FALSE(RootsOfCode(u8"好", "", d, roots, out));
  std::string err;
  Decompositions bad;
  EXPECT_FALSE(ParseDecompositions("x:a(1", bad, err));
  EXPECT_NE(err.find("line 1"), std::string::npos);
}
