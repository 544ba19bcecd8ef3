#include <gtest/gtest.h>

#include <windows.h>

// Every byte text here is Shift_JIS: a run in another code page proves nothing.
TEST(CodePage, IsJapanese) { EXPECT_EQ(GetACP(), 932u); }
