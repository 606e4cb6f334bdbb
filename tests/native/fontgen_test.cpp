// The prefix font's generator: one face of a collection found by its family,
// renamed, given a compact line and crisp small sizes, written as a valid font.
#include <gtest/gtest.h>

#include "compact_face.h"

namespace fontgen {
namespace {

Bytes NameTable(const std::vector<std::pair<int, std::string>>& names) {
  Bytes t(6 + 12 * names.size());
  PutU16(t, 2, static_cast<std::uint16_t>(names.size()));
  PutU16(t, 4, static_cast<std::uint16_t>(t.size()));
  Bytes strings;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t at = 6 + 12 * i;
    PutU16(t, at, 3);
    PutU16(t, at + 2, 1);
    PutU16(t, at + 4, 0x409);
    PutU16(t, at + 6, static_cast<std::uint16_t>(names[i].first));
    PutU16(t, at + 8, static_cast<std::uint16_t>(2 * names[i].second.size()));
    PutU16(t, at + 10, static_cast<std::uint16_t>(strings.size()));
    for (char c : names[i].second) strings.insert(strings.end(), {0, static_cast<std::uint8_t>(c)});
  }
  t.insert(t.end(), strings.begin(), strings.end());
  return t;
}

TFace Face(const std::string& family, const std::string& sub, const Bytes& outlines) {
  TFace f;
  f.Version = 0x4F54544F;  // 'OTTO'
  f.Tables["head"] = Bytes(54);
  PutU16(f.Tables["head"], 18, 1000);
  f.Tables["hhea"] = Bytes(36);
  f.Tables["OS/2"] = Bytes(96);
  f.Tables["CFF "] = outlines;
  f.Tables["GSUB"] = Bytes(10);
  f.Tables["GPOS"] = Bytes(10);
  f.Tables["name"] = NameTable({{0, "(c) the makers"}, {1, family}, {2, sub}, {4, family + " " + sub}, {13, "OFL"}});
  return f;
}

// A collection of `faces`: header, the faces' directories, then the tables.
Bytes Collection(const std::vector<TFace>& faces) {
  Bytes out(12 + 4 * faces.size());
  PutU32(out, 0, 0x74746366);
  PutU32(out, 4, 0x00010000);
  PutU32(out, 8, static_cast<std::uint32_t>(faces.size()));
  std::vector<std::size_t> records;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    PutU32(out, 12 + 4 * i, static_cast<std::uint32_t>(out.size()));
    const std::size_t at = out.size();
    out.resize(at + 12 + 16 * faces[i].Tables.size());
    PutU32(out, at, faces[i].Version);
    PutU16(out, at + 4, static_cast<std::uint16_t>(faces[i].Tables.size()));
    records.push_back(at + 12);
  }
  for (std::size_t i = 0; i < faces.size(); ++i) {
    std::size_t record = records[i];
    for (const auto& [tag, data] : faces[i].Tables) {
      for (std::size_t k = 0; k < 4; ++k) out[record + k] = static_cast<std::uint8_t>(tag[k]);
      PutU32(out, record + 8, static_cast<std::uint32_t>(out.size()));
      PutU32(out, record + 12, static_cast<std::uint32_t>(data.size()));
      out.insert(out.end(), data.begin(), data.end());
      record += 16;
    }
  }
  return out;
}

const Bytes kOutlines{1, 2, 3, 4, 5, 6, 7};

TEST(FontGen, FindsTheFaceOfAFamilyInACollection) {
  const Bytes file = Collection({Face("Sans JP", "Bold", kOutlines), Face("Sans SC", "Bold", kOutlines)});
  EXPECT_EQ(FaceCount(file), 2);
  EXPECT_EQ(FindFace(file, "Sans SC"), 1);
  EXPECT_EQ(FindFace(file, "Sans KR"), -1);
  EXPECT_EQ(ReadFace(file, 1).Table("CFF "), kOutlines);
}

TEST(FontGen, CompactFaceHasItsOwnFamilyLineAndValidChecksums) {
  const Bytes file = Collection({Face("Sans JP", "Bold", kOutlines), Face("Sans SC", "Bold", kOutlines)});
  TFace face = ReadFace(file, FindFace(file, "Sans SC"));
  MakeCompact(face, "Tapmira Sans", 0.95, 0.21);
  SetCrispUpTo(face, 12);
  DropLayoutTables(face);
  const Bytes out = WriteFace(face);

  ASSERT_EQ(FaceCount(out), 1);
  const TFace back = ReadFace(out, 0);
  EXPECT_EQ(NameOf(back, 1), "Tapmira Sans");
  EXPECT_EQ(NameOf(back, 2), "Bold");
  EXPECT_EQ(NameOf(back, 4), "Tapmira Sans Bold");
  EXPECT_EQ(NameOf(back, 6), "TapmiraSans-Bold");
  EXPECT_EQ(NameOf(back, 0), "(c) the makers");
  EXPECT_EQ(NameOf(back, 13), "OFL");
  const Bytes& os2 = back.Table("OS/2");
  EXPECT_EQ(U16(os2, 74), 950);  // win ascent
  EXPECT_EQ(U16(os2, 76), 210);  // win descent
  EXPECT_EQ(static_cast<std::int16_t>(U16(os2, 70)), -210);
  EXPECT_EQ(static_cast<std::int16_t>(U16(back.Table("hhea"), 6)), -210);
  EXPECT_EQ(U16(back.Table("hhea"), 8), 0);
  const Bytes& gasp = back.Table("gasp");
  EXPECT_EQ(U16(gasp, 4), 12);
  EXPECT_EQ(U16(gasp, 6) & 2, 0) << "no smoothing up to 12 px";
  EXPECT_EQ(U16(gasp, 8), 0xFFFF);
  EXPECT_NE(U16(gasp, 10) & 2, 0) << "smoothing above";
  EXPECT_EQ(back.Table("CFF "), kOutlines);
  EXPECT_EQ(back.Tables.count("GSUB") + back.Tables.count("GPOS"), 0u) << "no layout tables";

  // Each table's checksum, and the whole file's through the head table.
  for (std::size_t i = 0; i < U16(out, 4); ++i) {
    const std::size_t record = 12 + 16 * i;
    const std::string tag(out.begin() + static_cast<std::ptrdiff_t>(record),
                          out.begin() + static_cast<std::ptrdiff_t>(record + 4));
    Bytes data = back.Table(tag);
    if (tag == "head") PutU32(data, 8, 0);
    EXPECT_EQ(U32(out, record + 4), TableChecksum(data)) << tag;
  }
  EXPECT_EQ(TableChecksum(out), 0xB1B0AFBAu);
}

TEST(FontGen, DamagedFilesAreRefused) {
  Bytes file = Collection({Face("Sans SC", "Regular", kOutlines)});
  EXPECT_THROW(ReadFace(Bytes(file.begin(), file.begin() + 10), 0), EFontFormat);
  EXPECT_THROW(ReadFace(file, 1), EFontFormat);
  Bytes cut(file.begin(), file.end() - 3);  // the last table runs past the end
  EXPECT_THROW(ReadFace(cut, 0), EFontFormat);
  TFace face = ReadFace(file, 0);
  face.Tables.erase("hhea");
  EXPECT_THROW(MakeCompact(face, "Tapmira Sans", 0.95, 0.21), EFontFormat);
  face = ReadFace(file, 0);
  PutU16(face.Tables["name"], 6 + 12 + 10, 0xFFF0);  // a name string far outside the table
  EXPECT_THROW(NameOf(face, 1), EFontFormat);
}

}  // namespace
}  // namespace fontgen
