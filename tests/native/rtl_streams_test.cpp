#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/streams.h"
#include "toolkit/base/text_file.h"

namespace {
std::string Temp(const std::string& name) { return ::testing::TempDir() + name; }

void WriteText(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(path, bytes.data(), bytes.size()));
}

std::string Contents(TMemoryStream& m) {
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<std::size_t>(m.Size()));
}

// A read-only view, as a resource stream would be.
class TViewStream : public TCustomMemoryStream {
public:
  explicit TViewStream(const std::string& s) : text_(s) {
    SetPointer(reinterpret_cast<const std::uint8_t*>(text_.data()), static_cast<std::int64_t>(text_.size()));
  }

private:
  std::string text_;
};
}  // namespace

// --- Memory streams ---------------------------------------------------------------

TEST(RtlMemoryStream, WriteSeekReadAndGrow) {
  TMemoryStream m;
  EXPECT_EQ(m.Size(), 0);
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Position(), 5);
  EXPECT_EQ(m.Seek(-2, TSeekOrigin::soEnd), 3);
  m.WriteBuffer("LOWORLD", 7);  // overwrites and extends
  EXPECT_EQ(Contents(m), "helLOWORLD");
  EXPECT_EQ(m.Seek(1, TSeekOrigin::soBeginning), 1);
  EXPECT_EQ(m.Seek(2, TSeekOrigin::soCurrent), 3);
  char buf[4] = {};
  EXPECT_EQ(m.Read(buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), "LOWO");
  EXPECT_THROW(m.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_EQ(m.Position(), 7);

  // Writing past the end fills the gap with zeros.
  m.SetPosition(12);
  m.WriteBuffer("!", 1);
  EXPECT_EQ(Contents(m), std::string("helLOWORLD\0\0!", 13));
  m.SetSize(4);
  EXPECT_EQ(Contents(m), "helL");
  EXPECT_EQ(m.Position(), 4);  // moved back to the end
  m.SetSize(6);
  EXPECT_EQ(Contents(m), std::string("helL\0\0", 6));
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(RtlMemoryStream, ShortReadsAndBufferErrors) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);  // Read returns what there is
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.SetPosition(10);
  EXPECT_EQ(m.Read(buf, 1), 0);  // past the end
  m.SetPosition(1);
  EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);  // ReadBuffer insists on all of it
  m.SetPosition(1);
  EXPECT_NO_THROW(m.ReadBuffer(buf, 2));
  EXPECT_EQ(std::string(buf, 2), "bc");

  TViewStream v("fixed");
  EXPECT_THROW(v.WriteBuffer("x", 1), EStreamError);
  EXPECT_EQ(v.Size(), 5);
  v.ReadBuffer(buf, 5);
  EXPECT_EQ(std::string(buf, 5), "fixed");
}

TEST(RtlMemoryStream, CopyFrom) {
  TViewStream src("0123456789");
  TMemoryStream dst;
  src.SetPosition(3);
  EXPECT_EQ(dst.CopyFrom(src, 4), 4);
  EXPECT_EQ(Contents(dst), "3456");
  EXPECT_EQ(src.Position(), 7);
  EXPECT_EQ(dst.CopyFrom(src, 0), 10);  // 0: the whole source from its start
  EXPECT_EQ(Contents(dst), "34560123456789");
  src.SetPosition(8);
  EXPECT_THROW(dst.CopyFrom(src, 5), EReadError);  // only 2 bytes left
  // A large copy crosses the chunk size.
  TMemoryStream big, copy;
  std::vector<std::uint8_t> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  big.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(copy.CopyFrom(big, 0), 200000);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), copy.Memory()));
}

TEST(RtlMemoryStream, Files) {
  const std::string path = Temp("rtl_mem.bin");
  const std::string bytes("a\0\xD6\xD0\r\n", 6);
  WriteText(path, bytes);
  TMemoryStream m;
  m.WriteBuffer("junk", 4);
  m.LoadFromFile(path);
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(Contents(m), bytes);

  const std::string out = Temp("rtl_mem_out.bin");
  m.SaveToFile(out);
  TBytes got;
  ASSERT_TRUE(ReadFileBytes(out, got));
  EXPECT_EQ(std::string(got.begin(), got.end()), bytes);

  RemoveFile(path);
  EXPECT_THROW(m.LoadFromFile(path), EFOpenError);
  EXPECT_EQ(Contents(m), bytes);  // unchanged after the failure
  EXPECT_THROW(m.SaveToFile(Temp("no_such_dir/x.bin")), EFCreateError);
  RemoveFile(out);
}

// --- File streams -------------------------------------------------------------------

TEST(RtlFileStream, CreateWriteReopenRead) {
  const std::string path = Temp("rtl_file.bin");
  {
    TFileStream f(path, TFileMode::fmCreate);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.Size(), 10);
    f.SetSize(6);
    EXPECT_EQ(f.Position(), 6);
  }
  {
    TFileStream f(path, TFileMode::fmOpenReadWrite);
    EXPECT_EQ(f.Size(), 6);
    f.Seek(-2, TSeekOrigin::soEnd);
    f.WriteBuffer("AB", 2);
  }
  TFileStream f(path, TFileMode::fmOpenRead);
  char buf[16] = {};
  EXPECT_EQ(f.Read(buf, 16), 6);
  EXPECT_EQ(std::string(buf, 6), "0123AB");
  f.SetPosition(4);
  EXPECT_THROW(f.ReadBuffer(buf, 3), EReadError);
  EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);  // opened read-only
  EXPECT_EQ(f.FileName(), path);
}

TEST(RtlFileStream, ErrorsNameTheFile) {
  const std::string missing = Temp("rtl_missing.bin");
  for (TFileMode mode : {TFileMode::fmOpenRead, TFileMode::fmOpenWrite, TFileMode::fmOpenReadWrite}) {
    try {
      TFileStream f(missing, mode);
      FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
      EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
  }
  const std::string bad = Temp("no_such_dir/new.bin");
  try {
    TFileStream f(bad, TFileMode::fmCreate);
    FAIL() << "created in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_NE(std::string(e.what()).find(bad), std::string::npos);
  }
  EXPECT_FALSE(FileExists(missing));  // opening never creates
}

// --- Text files ----------------------------------------------------------------------

TEST(RtlTextFile, ReadsEveryKindOfLineEnd) {
  struct Case { std::string bytes; std::vector<std::string> lines; } cases[] = {
      {"", {}},
      {"one", {"one"}},  // no end on the last line
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n", {""}},
      {"\r\n\r\nx", {"", "", "x"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r", {"a"}},
      {std::string("n\0ul\r\n", 6), {std::string("n\0ul", 4)}},
      {"中文 \t\r\n\xD6", {"中文 \t", "\xD6"}},
  };
  const std::string path = Temp("rtl_text.txt");
  for (const Case& c : cases) {
    WriteText(path, c.bytes);
    TTextFileReader r(path);
    std::vector<std::string> lines;
    while (!r.Eof()) lines.push_back(r.Readln());
    EXPECT_EQ(lines, c.lines) << "case " << &c - cases;
    EXPECT_EQ(r.Readln(), "");  // reading at the end gives an empty line
    EXPECT_TRUE(r.Eof());
  }
  RemoveFile(path);
}

TEST(RtlTextFile, LinesAcrossTheReadBuffer) {
  // A CR LF split over two reads of the buffer still ends one line.
  const std::string path = Temp("rtl_text_big.txt");
  for (std::size_t lead : {65535u, 65534u, 65536u}) {
    std::string first(lead, 'x');
    WriteText(path, first + "\r\nsecond\r\n" + std::string(70000, 'y'));
    TTextFileReader r(path);
    EXPECT_EQ(r.Readln(), first);
    EXPECT_EQ(r.Readln(), "second");
    EXPECT_EQ(r.Readln().size(), 70000u);
    EXPECT_TRUE(r.Eof());
  }
  RemoveFile(path);
}

TEST(RtlTextFile, WritesCrLfAndReportsMissingFiles) {
  const std::string path = Temp("rtl_text_out.txt");
  {
    TTextFileWriter w(path);
    w.Writeln("header");
    w.Write("中");
    w.Write("文");
    w.Writeln("");
    w.Writeln("");
    w.Close();
    w.Close();  // a second close does nothing
    EXPECT_THROW(w.Write("late"), EWriteError);
  }
  TBytes got;
  ASSERT_TRUE(ReadFileBytes(path, got));
  EXPECT_EQ(std::string(got.begin(), got.end()), "header\r\n中文\r\n\r\n");
  {
    TTextFileWriter w(path);  // truncates; the destructor flushes
    w.Writeln("new");
  }
  ASSERT_TRUE(ReadFileBytes(path, got));
  EXPECT_EQ(std::string(got.begin(), got.end()), "new\r\n");
  RemoveFile(path);
  EXPECT_THROW(TTextFileReader r(path), EFOpenError);
  EXPECT_THROW(TTextFileWriter w(Temp("no_such_dir/out.txt")), EFCreateError);
}

// --- Directory listing -------------------------------------------------------------------

TEST(RtlDirectory, ListsFilesAndFoldersWithAttributes) {
  const std::string dir = Temp("rtl_dir");
  std::remove((dir + "/a.txt").c_str());
  std::remove((dir + "/b.dat").c_str());
  ::rmdir((dir + "/sub").c_str());
  ::rmdir(dir.c_str());
  std::vector<TSearchRec> entries{TSearchRec{}};
  EXPECT_FALSE(ListDirectory(dir, entries));
  EXPECT_TRUE(entries.empty());

  ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((dir + "/sub").c_str(), 0755), 0);
  WriteText(dir + "/a.txt", "12345");
  WriteText(dir + "/b.dat", "");
  for (const std::string& folder : {dir, dir + "/"}) {
    ASSERT_TRUE(ListDirectory(folder, entries));
    ASSERT_EQ(entries.size(), 3u);
    std::sort(entries.begin(), entries.end(), [](const TSearchRec& x, const TSearchRec& y) { return x.Name < y.Name; });
    EXPECT_EQ(entries[0].Name, "a.txt");
    EXPECT_EQ(entries[0].Size, 5);
    EXPECT_FALSE(entries[0].IsDirectory());
    EXPECT_EQ(entries[1].Name, "b.dat");
    EXPECT_EQ(entries[1].Size, 0);
    EXPECT_EQ(entries[2].Name, "sub");
    EXPECT_TRUE(entries[2].IsDirectory());
    EXPECT_EQ(entries[2].Attr, faDirectory);
  }
  std::remove((dir + "/a.txt").c_str());
  std::remove((dir + "/b.dat").c_str());
  ::rmdir((dir + "/sub").c_str());
  ::rmdir(dir.c_str());
}
