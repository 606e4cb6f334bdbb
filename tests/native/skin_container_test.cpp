// The skin container: LZHUF round trips through the packer and the reader,
// and containers that are damaged or hostile.
#include <gtest/gtest.h>

#include <random>
#include <string>
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

// A decoded container written by hand: any names text and any sizes.
Bytes RawLayout(std::int32_t version, const std::string& names, const std::vector<std::int32_t>& sizes,
                const Bytes& data, int extra = -2) {
  Bytes out;
  auto put = [&out](std::int64_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  };
  put(version);
  put(static_cast<std::int64_t>(names.size()));
  if (extra == -2) extra = TSkinReader::ExtraBlockLength(version);
  out.insert(out.end(), 8 + std::max(extra, 0), 0);
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
