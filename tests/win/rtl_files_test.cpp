#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "toolkit/base/classes.h"
#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/streams.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/base/text_file.h"

// Chinese file names go to the system as UTF-16 converted from code page 936,
// whatever the process's own code page; the tests check the names with the
// wide API so an ANSI call with the wrong code page would be caught.
namespace {
std::wstring TempW() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, buf);
  return std::wstring(buf, n);
}

std::string ToGbk(const std::wstring& w) {
  int n = WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

bool ExistsW(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + L"\\" + name);
      else DeleteFileW((dir + L"\\" + name).c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

const std::wstring kFolderW = L"打字文章测试";
}  // namespace

TEST(RtlWinFiles, FileStreamWithChineseName) {
  const std::wstring pathW = TempW() + L"成绩记录.dat";
  const std::string path = ToGbk(pathW);
  DeleteFileW(pathW.c_str());
  {
    TFileStream f(path, TFileMode::fmCreate);
    f.WriteBuffer("\xD6\xD0\xCE\xC4", 4);
  }
  ASSERT_TRUE(ExistsW(pathW)) << "the file was not created under its Chinese name";
  {
    TFileStream f(path, TFileMode::fmOpenReadWrite);
    EXPECT_EQ(f.Size(), 4);
    f.Seek(0, TSeekOrigin::soEnd);
    f.WriteBuffer("!", 1);
    f.SetSize(3);
  }
  TFileStream f(path, TFileMode::fmOpenRead);
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, 8), 3);
  EXPECT_EQ(std::string(buf, 3), "\xD6\xD0\xCE");
  f.SetPosition(2);
  EXPECT_THROW(f.ReadBuffer(buf, 2), EReadError);
  EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);

  TFileStream second(path, TFileMode::fmOpenRead);  // readers share the file
  EXPECT_EQ(second.Size(), 3);

  const std::string missing = ToGbk(TempW() + L"没有这个文件.dat");
  try {
    TFileStream m(missing, TFileMode::fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << "the message names the file";
  }
}

TEST(RtlWinFiles, TextFilesAndListsWithChineseNames) {
  const std::wstring pathW = TempW() + L"用户列表.txt";
  const std::string path = ToGbk(pathW);
  {
    TTextFileWriter w(path);
    w.Writeln("第一行");
    w.Write("abc");
    w.Close();
  }
  ASSERT_TRUE(ExistsW(pathW));
  TTextFileReader r(path);
  EXPECT_EQ(r.Readln(), "第一行");
  EXPECT_FALSE(r.Eof());
  EXPECT_EQ(r.Readln(), "abc");
  EXPECT_TRUE(r.Eof());

  TStringList l;
  l.LoadFromFile(path);
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(l[0], "第一行");
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(m.Size(), 11);  // 6 bytes, CR LF, then "abc" without an end
  l.Add("末行");
  l.SaveToFile(path);
  TBytes bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "第一行\r\nabc\r\n末行\r\n");
  DeleteFileW(pathW.c_str());
}

TEST(RtlWinFiles, DirectoryListingOfAChineseFolder) {
  const std::wstring dirW = TempW() + kFolderW;
  RemoveTree(dirW);
  std::vector<TSearchRec> entries;
  EXPECT_FALSE(ListDirectory(ToGbk(dirW), entries));

  ASSERT_TRUE(CreateDirectoryW(dirW.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dirW + L"\\子目录").c_str(), nullptr));
  const std::wstring names[] = {L"第一篇.txt", L"英文 文章.txt", L"plain.TXT"};
  for (std::size_t i = 0; i < 3; ++i) {
    HANDLE h = CreateFileW((dirW + L"\\" + names[i]).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD put;
    WriteFile(h, "0123456789", static_cast<DWORD>(i * 3), &put, nullptr);
    CloseHandle(h);
  }

  const std::string dir = ToGbk(dirW);
  for (const std::string& folder : {dir, dir + "\\", dir + "/"}) {
    ASSERT_TRUE(ListDirectory(folder, entries)) << folder;
    ASSERT_EQ(entries.size(), 4u);
    std::set<std::string> files;
    for (const TSearchRec& e : entries) {
      EXPECT_NE(e.Name, ".");
      EXPECT_NE(e.Name, "..");
      if (e.Name == "子目录") {
        EXPECT_TRUE(e.IsDirectory());
        EXPECT_EQ(e.Attr & faDirectory, faDirectory);
        continue;
      }
      EXPECT_FALSE(e.IsDirectory()) << e.Name;
      files.insert(e.Name);
      if (e.Name == "第一篇.txt") EXPECT_EQ(e.Size, 0);
      if (e.Name == "英文 文章.txt") EXPECT_EQ(e.Size, 3);
      if (e.Name == "plain.TXT") EXPECT_EQ(e.Size, 6);
      // Every listed name opens again through the GBK path.
      TMemoryStream m;
      EXPECT_NO_THROW(m.LoadFromFile(IncludeTrailingPathDelimiter(dir) + e.Name)) << e.Name;
    }
    EXPECT_EQ(files, (std::set<std::string>{"第一篇.txt", "英文 文章.txt", "plain.TXT"}));
  }
  RemoveTree(dirW);
}

TEST(RtlWinFiles, NameWithoutGbkSpellingStillOpens) {
  const std::wstring dirW = TempW() + L"rtl_nongbk";
  RemoveTree(dirW);
  ASSERT_TRUE(CreateDirectoryW(dirW.c_str(), nullptr));
  const std::wstring nameW = L"\u0E01\u0E02 article.txt";  // Thai letters: not in GBK
  HANDLE h = CreateFileW((dirW + L"\\" + nameW).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  std::vector<TSearchRec> entries;
  ASSERT_TRUE(ListDirectory(ToGbk(dirW), entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(FileExists(ToGbk(dirW) + "\\" + entries[0].Name)) << entries[0].Name;
  RemoveTree(dirW);
}

// The temporary file is made new; one left over from before is replaced, and
// either is gone when the object goes.
TEST(RtlWinFiles, TemporaryFileNewOrLeftOver) {
  const std::string path = ToGbk(TempW()) + "rtl_字典Temp.dat";
  RemoveFile(path);
  const TBytes text = {'a', 'b', '\r', '\n'};
  for (bool leftOver : {false, true}) {
    if (leftOver) ASSERT_TRUE(WriteFileBytes(path, "old contents, longer than the new", 33));
    {
      TTempFile temp(path);
      ASSERT_TRUE(temp.Write(text)) << leftOver;
      EXPECT_TRUE(FileExists(path));
      EXPECT_FALSE(temp.Write(text));  // written once
      TBytes back = {'x'};
      ASSERT_TRUE(temp.ReadBack(back));
      EXPECT_EQ(back, text) << leftOver;
    }
    EXPECT_FALSE(FileExists(path)) << leftOver;
  }
}

// Two copies of the program reading the same dictionary at once: the second
// finds the name in use and takes another, where it used to fail.
TEST(RtlWinFiles, TemporaryFileNameInUseTakesAnother) {
  const std::string path = ToGbk(TempW()) + "rtl_字典Temp.dat";
  const std::string other = ToGbk(TempW()) + "rtl_字典Temp~2.dat";
  RemoveFile(path);
  const TBytes first = {'1', '\r', '\n'}, second = {'2', '2', '\r', '\n'};
  {
    TTempFile a(path), b(path);
    ASSERT_TRUE(a.Write(first));
    ASSERT_TRUE(b.Write(second));
    EXPECT_TRUE(FileExists(other));
    TBytes back;
    ASSERT_TRUE(a.ReadBack(back));
    EXPECT_EQ(back, first);
    ASSERT_TRUE(b.ReadBack(back));
    EXPECT_EQ(back, second);
  }
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileExists(other));
}

TEST(RtlWinRandom, RandomizeBeforeEachDrawDoesNotRepeat) {
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i) {
    Randomize();
    seen.insert(Random(999999999));
  }
  EXPECT_GE(seen.size(), 995u);
}
