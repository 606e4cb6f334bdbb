#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "toolkit/base/file_io.h"

TEST(FileIo, WriteReadReplaceRemove) {
  std::string dir = ::testing::TempDir();
  std::string a = dir + "fileio_a.bin", b = dir + "fileio_b.bin";
  const char payload[] = {'x', '\0', 'y'};
  ASSERT_TRUE(WriteFileBytes(a, payload, sizeof payload));
  TBytes got;
  ASSERT_TRUE(ReadFileBytes(a, got));
  EXPECT_EQ(got, (TBytes{'x', 0, 'y'}));

  ASSERT_TRUE(WriteFileBytes(b, "old", 3));
  ASSERT_TRUE(MoveFileOver(a, b));
  EXPECT_FALSE(FileExists(a));
  ASSERT_TRUE(ReadFileBytes(b, got));
  EXPECT_EQ(got.size(), 3u);
  EXPECT_TRUE(RemoveFile(b));
  EXPECT_FALSE(FileExists(b));
}

TEST(FileIo, MissingFileLeavesOutputUntouched) {
  TBytes got{1, 2};
  EXPECT_FALSE(ReadFileBytes(::testing::TempDir() + "no_such_file.dat", got));
  EXPECT_EQ(got, (TBytes{1, 2}));
}

TEST(FileIo, TempFileIsReadBackAndGoesWithItsObject) {
  const std::string path = ::testing::TempDir() + "fileio_temp.dat";
  TBytes back{9};
  {
    TTempFile temp(path);
    ASSERT_TRUE(temp.Write(TBytes{'a', 0, 'b'}));
    EXPECT_TRUE(FileExists(path));
    ASSERT_TRUE(temp.ReadBack(back));
    EXPECT_EQ(back, (TBytes{'a', 0, 'b'}));
    EXPECT_FALSE(temp.Write(TBytes{'c'}));  // written once
  }
  EXPECT_FALSE(FileExists(path));

  // A file that cannot be made is a failed write; nothing is left behind.
  const std::string blocked = ::testing::TempDir() + "no_such_folder/fileio_temp.dat";
  {
    TTempFile temp(blocked);
    EXPECT_FALSE(temp.Write(TBytes{'a'}));
    EXPECT_FALSE(temp.ReadBack(back));
  }
  EXPECT_FALSE(FileExists(blocked));
}
