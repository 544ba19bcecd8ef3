// CopyFileA as the save-copy job uses it: replacing, byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include "Fixture.h"

namespace {

class FileCopy : public ::testing::Test {
 protected:
  // Every byte value, and a NUL and CR LF in the middle.
  std::string Content() const {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(i * 7 % 256);
    return bytes;
  }
  fixture::TempFolder folder;
  std::string source = folder / "temp.qvx";
  void SetUp() override { fixture::WriteFile(source, Content()); }
};

TEST_F(FileCopy, MakesAByteForByteCopy) {
  const std::string target = folder / "\x95\x5c.qvx";
  ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_TRUE(fixture::ReadFile(target) == Content());
  EXPECT_TRUE(fixture::ReadFile(source) == Content());
}

TEST_F(FileCopy, ReplacesAnExistingFile) {
  const std::string target = folder / "report.qvx";
  fixture::WriteFile(target, std::string(10000, 'o'));
  ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_TRUE(fixture::ReadFile(target) == Content());
}

TEST_F(FileCopy, FailsAndChangesNothing) {
  const std::string folderTarget = folder / "dir.qvx";
  fixture::MakeFolder(folderTarget);

  const struct {
    const char* what;
    std::string from;
    std::string to;
  } cases[] = {
      {"target is a folder", source, folderTarget},
      {"target folder missing", source, folder / "missing/report.qvx"},
      {"target is the source", source, source},
      {"source missing", folder / "absent.qvx", folder / "new.qvx"},
  };
  for (const auto& c : cases) EXPECT_FALSE(CopyFileA(c.from.c_str(), c.to.c_str(), FALSE)) << c.what;
  EXPECT_TRUE(fixture::ReadFile(source) == Content());
  EXPECT_FALSE(fixture::ReadFile(folder / "new.qvx"));
}

TEST_F(FileCopy, RefusesAReadOnlyTarget) {
  if (fixture::UnderWineAsRoot())
    GTEST_SKIP() << "Wine run by root writes over read-only files; Windows refuses";
  const std::string readOnly = folder / "ro.qvx";
  fixture::WriteFile(readOnly, "old");
  fixture::MakeReadOnly(readOnly);
  EXPECT_FALSE(CopyFileA(source.c_str(), readOnly.c_str(), FALSE));
  EXPECT_EQ(fixture::ReadFile(readOnly), "old");
}

}  // namespace
