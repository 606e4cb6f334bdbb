// The skin container: LZHUF round trips through the packer and the reader,
// and containers that are damaged or hostile.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "skin/portable/lzh.h"
#include "skin/portable/skin_reader.h"
#include "tools/skinpack/container_writer.h"
#include "tools/skinpack/lzh_encoder.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<std::uint8_t>(rng());
  return b;
}

TMemoryStream StreamOf(const Bytes& b) {
  TMemoryStream s;
  if (!b.empty()) s.WriteBuffer(b.data(), static_cast<std::int64_t>(b.size()));
  s.SetPosition(0);
  return s;
}

Bytes BytesOf(TMemoryStream& s) { return Bytes(s.Memory(), s.Memory() + s.Size()); }

// Encodes, decodes through TSkinReader::Decompress and compares.
void ExpectRoundTrip(const Bytes& data, TLzhEncodeStats* stats = nullptr) {
  Bytes code = LzhEncode(data, stats);
  Bytes container = CompressContainer(data);
  ASSERT_EQ(container.size(), code.size() + 4);
  TMemoryStream source = StreamOf(container), decoded;
  TSkinReader::Decompress(source, decoded);
  ASSERT_EQ(decoded.Size(), static_cast<std::int64_t>(data.size()));
  EXPECT_TRUE(BytesOf(decoded) == data);
}

// Bytes skipped after the 16-byte header, by version code, as the format
// gives them (written out here, not taken from the reader).
int ExtraBlock(std::int32_t version) {
  static const std::pair<std::int32_t, int> kBlocks[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                         {50000, 48}, {60000, 117}, {70000, 69}};
  for (const auto& [code, bytes] : kBlocks)
    if (code == version) return bytes;
  return 0;
}

// A decoded container written by hand: any names text and any sizes; the
// header's unused bytes and the extra block are filled with `filler`.
Bytes RawLayout(std::int32_t version, const std::string& names, const std::vector<std::int32_t>& sizes,
                const Bytes& data, int extra = -2, std::uint8_t filler = 0) {
  Bytes out;
  auto put = [&out](std::int64_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  };
  put(version);
  put(static_cast<std::int64_t>(names.size()));
  if (extra == -2) extra = ExtraBlock(version);
  out.insert(out.end(), 8 + std::max(extra, 0), filler);
  out.insert(out.end(), names.begin(), names.end());
  for (auto s : sizes) put(s);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

struct TReaderFixture {
  TSkinReader reader;
  std::vector<std::string> reports;
  TReaderFixture() {
    reader.OnReport = [this](const std::string& m) { reports.push_back(m); };
  }
  bool Load(const Bytes& container) {
    TMemoryStream s = StreamOf(container);
    return reader.Load(s);
  }
  Bytes Entry(const std::string& name) {
    TMemoryStream out;
    reader.GetEntry(name, out);
    EXPECT_EQ(out.Position(), 0);
    return BytesOf(out);
  }
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
}  // namespace

// A code stream worked out by hand from the algorithm, not made by our encoder.
// At the start leaf s (symbols 0..313) is node s, and node j (314..626, the
// root) holds nodes 2(j-314) and 2(j-314)+1; so the parent of node k is
// 314 + k/2 and k & 1 is its bit. A symbol's code is its path from the root
// down. After a symbol its node's count grows and it swaps with the last node
// of a lower count: the first leaf seen once moves to node 313, the next to
// 312 and so on ('A' seen twice moves on to 468); above it every node counts
// one more and stays where it is. The ring holds spaces below position 4036,
// where output begins.
//   'A' (65)  65 346 487 557 592 610 619 623 625, read from the root: 111001101
//   'B' (66)  66 347 487 ... 625                                        111001110
//   length 4, symbol 257: 257 442 535 581 604 616 622 625                10001101
//     position 1: upper bits 0 (code 000), lower bits 000001 -> "ABAB" over itself
//   length 7, symbol 260: 260 444 536 582 605 616 622 625                10010000
//     position 10: 000, 001010 -> five spaces of the ring's start, then "AB"
//   'A' again, now node 313: 313 470 549 588 608 618 623 625             11000101
//   length 3, symbol 256: 256 442 535 581 604 616 622 625                10001100
//     position 3000: upper bits 46 (7-bit code 1110110), lower 111000 -> three spaces
//   length 3 again: 256 took node 309, under the inner node that 'A' pushed to
//   313 and that then moved on to 467: 309 467 547 587 607 617 622 625   10111111
//     position 500: upper bits 7 (5-bit code 01101), lower 110100 -> three more spaces
// 100 bits, then zeros to a whole byte.
const Bytes kHandCode = {0xE6, 0xF3, 0xA3, 0x40, 0x32, 0x00, 0xAC, 0x58, 0xCE, 0xDC, 0x5F, 0xB7, 0x40};
const std::string kHandText = "ABABAB" "     " "ABA" "   " "   ";

TEST(SkinLzh, DecodesAStreamWorkedOutByHand) {
  Bytes container = {static_cast<std::uint8_t>(kHandText.size()), 0, 0, 0};
  container.insert(container.end(), kHandCode.begin(), kHandCode.end());
  TMemoryStream source = StreamOf(container), decoded;
  TSkinReader::Decompress(source, decoded);
  Bytes text = BytesOf(decoded);
  EXPECT_EQ(std::string(text.begin(), text.end()), kHandText);
  // A shorter size stops inside the stream: the first bytes.
  TLZH lzh;
  std::size_t at = 0;
  std::string out;
  lzh.Decode(
      9, [&out](void* b, int count, int& moved) { out.append(static_cast<char*>(b), count), moved = count; },
      [&at](void* b, int, int& moved) {
        moved = at < kHandCode.size() ? 1 : 0;
        if (moved) *static_cast<std::uint8_t*>(b) = kHandCode[at++];
      });
  EXPECT_EQ(out, kHandText.substr(0, 9));
}

TEST(SkinLzh, RoundTripsShortAndRepetitiveData) {
  ExpectRoundTrip({});
  ExpectRoundTrip({0x41});
  ExpectRoundTrip({0x20, 0x20, 0x20, 0x20});  // spaces match the ring's starting fill
  ExpectRoundTrip(Bytes(100000, 0xAB));
  Bytes pattern;
  for (int i = 0; i < 30000; ++i) pattern.push_back(static_cast<std::uint8_t>("magenta bevel "[i % 14]));
  ExpectRoundTrip(pattern);
}

TEST(SkinLzh, RoundTripsRandomDataLongEnoughToRebuildTheTree) {
  // The tree is rebuilt once the root counts 0x8000 symbols.
  TLzhEncodeStats stats;
  Bytes data = RandomBytes(40000, 7);
  ExpectRoundTrip(data, &stats);
  EXPECT_GT(stats.literals + stats.matches, 33000);
}

TEST(SkinLzh, UsesTheFarthestDistanceAndTheLongestMatch) {
  Bytes data = RandomBytes(4036, 11);
  data.insert(data.end(), data.begin(), data.begin() + 60);  // 60 bytes repeated 4036 back
  TLzhEncodeStats stats;
  ExpectRoundTrip(data, &stats);
  EXPECT_EQ(stats.longestDistance, 4036);
  EXPECT_EQ(stats.longestLength, 60);
}

TEST(SkinLzh, RoundTripsMatchesAtEveryDistance) {
  // Each step repeats four bytes from exactly d back, d = 1 .. 4036,
  // so every upper-bits code of the position is written and read.
  std::mt19937 rng(3);
  Bytes data = RandomBytes(4036, 5);
  for (int d = 1; d <= 4036; ++d) {
    std::size_t from = data.size() - d;
    for (int k = 0; k < 4; ++k) data.push_back(data[from + k]);
    data.push_back(static_cast<std::uint8_t>(rng()));
  }
  TLzhEncodeStats stats;
  ExpectRoundTrip(data, &stats);
  EXPECT_GT(stats.matches, 4000);
}

TEST(SkinLzh, RefusesSizesOutOfRangeAndStreamsThatEndEarly) {
  TLZH lzh;
  auto none = [](void*, int, int& moved) { moved = 0; };
  auto sink = [](void*, int count, int& moved) { moved = count; };
  EXPECT_THROW(lzh.Decode(-1, sink, none), ElzhException);
  EXPECT_THROW(lzh.Decode(TLZH::MaxDecodedSize + 1, sink, none), ElzhException);
  // An empty source cannot produce a million bytes: it stops at once.
  EXPECT_THROW(lzh.Decode(1000000, sink, none), ElzhException);
  EXPECT_NO_THROW(lzh.Decode(0, sink, none));
}

TEST(SkinLzh, EveryTruncationFailsOrDecodesTheSameBytes) {
  Bytes data = RandomBytes(300, 9);
  data.insert(data.end(), 200, 'x');
  Bytes container = CompressContainer(data);
  for (std::size_t cut = 0; cut < container.size(); ++cut) {
    TMemoryStream source = StreamOf(Bytes(container.begin(), container.begin() + cut)), decoded;
    try {
      TSkinReader::Decompress(source, decoded);
      EXPECT_TRUE(BytesOf(decoded) == data) << "cut at " << cut;
    } catch (const Exception&) {
    }
  }
}

TEST(SkinReader, LoadsEntriesOfEachVersion) {
  std::vector<TSkinEntry> entries = {{"skin.ini", Text("[Colours]\r\nButtonFace=1 2 3\r\n")},
                                     {"frame.bmp", RandomBytes(500, 1)},
                                     {"empty.bmp", {}}};
  for (int version : {20000, 30000, 40000, 50000, 60000, 70000}) {
    TReaderFixture f;
    ASSERT_TRUE(f.Load(PackContainer(entries, version))) << version;
    EXPECT_EQ(f.reader.Version(), version);
    ASSERT_EQ(f.reader.Count(), 3);
    for (const auto& e : entries) EXPECT_TRUE(f.Entry(e.name) == e.bytes) << e.name << " of " << version;
    EXPECT_TRUE(f.reports.empty());
  }
}

TEST(SkinReader, SkipsTheExtraBlockOfEachVersion) {
  // The numbers as the format gives them; the skipped bytes are 'x', so one
  // byte too few or too many changes the names.
  const std::pair<int, int> lengths[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69}};
  for (const auto& [version, extra] : lengths) {
    EXPECT_EQ(TSkinReader::ExtraBlockLength(version), extra);
    TReaderFixture f;
    ASSERT_TRUE(f.Load(CompressContainer(RawLayout(version, "e.ini\r\n", {3}, Text("abc"), extra, 'x')))) << version;
    ASSERT_EQ(f.reader.Count(), 1) << version;
    EXPECT_EQ(f.reader.Names()[0], "e.ini") << version;
    EXPECT_TRUE(f.Entry("e.ini") == Text("abc")) << version;
  }
}

TEST(SkinReader, MatchesNamesLowerCasedAndFragmentsAsWritten) {
  TReaderFixture f;
  ASSERT_TRUE(f.Load(PackContainer({{"Tapmira.INI", Text("a")}, {"Button.Bmp", Text("b")}, {"button.bmp", Text("c")}})));
  EXPECT_EQ(f.reader.Names()[0], "tapmira.ini");
  EXPECT_TRUE(f.Entry("BUTTON.BMP") == Text("b"));  // the first of two equal names
  EXPECT_TRUE(f.Entry("missing.bmp").empty());

  TMemoryStream out;
  std::string name = "unchanged";
  EXPECT_FALSE(f.reader.FindEntry(".INI", out, name));
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(out.Size(), 0);
  EXPECT_TRUE(f.reader.FindEntry(".ini", out, name));
  EXPECT_EQ(name, "tapmira.ini");
  EXPECT_TRUE(BytesOf(out) == Text("a"));
}

TEST(SkinReader, SplitsNamesAtAnyLineEnd) {
  // CR, LF and CR LF each end a name; an empty last line is no entry.
  TReaderFixture f;
  ASSERT_TRUE(f.Load(CompressContainer(RawLayout(70000, "a.bmp\rb.bmp\nc.bmp\r\n", {1, 2, 3}, Text("abbccc")))));
  ASSERT_EQ(f.reader.Count(), 3);
  EXPECT_TRUE(f.Entry("c.bmp") == Text("ccc"));
  ASSERT_TRUE(f.Load(CompressContainer(RawLayout(20000, "only.ini", {2}, Text("xy")))));
  EXPECT_EQ(f.reader.Count(), 1);
  EXPECT_TRUE(f.Entry("only.ini") == Text("xy"));
}

TEST(SkinReader, RefusesDamagedContainersAndKeepsTheTable) {
  TReaderFixture f;
  ASSERT_TRUE(f.Load(PackContainer({{"good.ini", Text("[a]")}})));
  std::vector<std::int32_t> tooMany(1002, 0);
  std::string manyNames;
  for (int i = 0; i < 1002; ++i) manyNames += "n\r\n";
  Bytes overclaimed = CompressContainer(Bytes(10, 1));
  overclaimed[0] = 0x40, overclaimed[1] = 0x42, overclaimed[2] = 0x0F;  // a million bytes from a few
  Bytes longNames = RawLayout(70000, "a.bmp\r\n", {1}, Text("a"));
  longNames[4] = 0xF0;  // names length 240
  Bytes negativeNames = RawLayout(70000, "a.bmp\r\n", {1}, Text("a"));
  negativeNames[7] = 0x80;
  const std::vector<std::pair<const char*, Bytes>> hostile = {
      {"no bytes", {}},
      {"shorter than its size", {1, 2}},
      {"negative decoded size", {0xFF, 0xFF, 0xFF, 0xFF, 0}},
      {"decoded size beyond the cap", {0x00, 0x00, 0x00, 0x7F, 0}},
      {"claims more than its code holds", overclaimed},
      {"header cut short", CompressContainer(Bytes(12, 0))},
      {"names beyond the data", CompressContainer(longNames)},
      {"negative names length", CompressContainer(negativeNames)},
      {"more than 1001 names", CompressContainer(RawLayout(70000, manyNames, tooMany, {}))},
      {"sizes cut off", CompressContainer(RawLayout(70000, "a\r\nb\r\n", {1}, {}))},
      {"negative size", CompressContainer(RawLayout(70000, "a\r\nb\r\n", {-1, 2}, Text("ab")))},
      {"sizes larger than the data", CompressContainer(RawLayout(70000, "a\r\nb\r\n", {1, 2}, Text("ab")))},
      {"sizes that wrap around", CompressContainer(RawLayout(70000, "a\r\nb\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, Text("ab")))},
  };
  for (const auto& [what, container] : hostile) {
    f.reports.clear();
    EXPECT_FALSE(f.Load(container)) << what;
    EXPECT_EQ(f.reports.size(), 1u) << what;
    EXPECT_EQ(f.reader.Version(), 70000) << what;
    EXPECT_TRUE(f.Entry("good.ini") == Text("[a]")) << what;
  }
}

TEST(SkinReader, ReportsAnOldVersionWithItsOwnMessage) {
  TReaderFixture f;
  ASSERT_TRUE(f.Load(PackContainer({{"kept.bmp", Text("k")}})));
  EXPECT_FALSE(f.Load(CompressContainer(RawLayout(10000, "x.bmp\r\n", {1}, Text("x"), 0))));
  ASSERT_EQ(f.reports.size(), 1u);
  EXPECT_EQ(f.reports[0], "This is Older Skin File\rPlease update to new version !");
  EXPECT_TRUE(f.Entry("kept.bmp") == Text("k"));
  EXPECT_TRUE(f.Entry("x.bmp").empty());
}

TEST(SkinReader, AcceptsEntriesSmallerThanTheData) {
  // Bytes after the last entry are not interpreted.
  TReaderFixture f;
  ASSERT_TRUE(f.Load(CompressContainer(RawLayout(70000, "a\r\n", {1}, Text("abc")))));
  EXPECT_TRUE(f.Entry("a") == Text("a"));
}
