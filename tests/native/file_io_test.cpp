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
