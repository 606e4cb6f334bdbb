#include <gtest/gtest.h>
#include <windows.h>

// The program's strings are GBK: Wine must run with code page 936.
TEST(Environment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }
