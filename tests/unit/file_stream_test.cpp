// The working file is opened without sharing: nobody else may hold it
// meanwhile, and while it is held elsewhere the open fails.
#include <gtest/gtest.h>

#include <windows.h>

#include "Classes.h"
#include "Fixture.h"
#include "SysUtils.h"
#include "Texts.h"

namespace {

HANDLE HoldAsTheHost(const std::string& path, DWORD share) {
  return CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string OpenFailure(const std::string& path) {
  try {
    TFileStream stream(path, fmOpenRead | fmShareExclusive);
  } catch (const EFOpenError& failure) {
    return failure.Message();
  }
  return "(opened)";
}

TEST(FileStream, FailsWithTheFileNamedInTheMessage) {
  fixture::TempFolder folder;
  const std::string missing = folder / "qvfilex/temp.qvx";
  EXPECT_EQ(OpenFailure(missing), Format(texts::FileOpenError, missing));
  // ファイル ... は開けません, byte for byte.
  EXPECT_EQ(Format(texts::FileOpenError, "C:\\a"),
            "\x83t\x83@\x83" "C\x83\x8b C:\\a \x82\xcd\x8aJ\x82\xaf\x82\xdc\x82\xb9\x82\xf1");
  fixture::MakeFolder(folder / "dir");
  EXPECT_NE(OpenFailure(folder / "dir"), "(opened)");
}

TEST(FileStream, FailsWhileTheHostHoldsTheFile) {
  fixture::TempFolder folder;
  const std::string path = folder / "temp.qvx";
  fixture::WriteFile(path, "data");
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    HANDLE host = HoldAsTheHost(path, share);
    ASSERT_NE(host, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenFailure(path), Format(texts::FileOpenError, path)) << share;
    CloseHandle(host);
  }
  EXPECT_EQ(OpenFailure(path), "(opened)");
}

TEST(FileStream, KeepsOthersOutUntilItCloses) {
  fixture::TempFolder folder;
  const std::string path = folder / "temp.qvx";
  fixture::WriteFile(path, "0123456789");
  {
    TFileStream stream(path, fmOpenRead | fmShareExclusive);
    EXPECT_EQ(HoldAsTheHost(path, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
    char bytes[8] = {};
    EXPECT_EQ(stream.Seek(6), 6);
    EXPECT_EQ(stream.Read(bytes, sizeof bytes), 4u);
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_EQ(stream.Seek(100), 100);
    EXPECT_EQ(stream.Read(bytes, sizeof bytes), 0u);
  }
  HANDLE after = HoldAsTheHost(path, 0);
  EXPECT_NE(after, INVALID_HANDLE_VALUE);
  CloseHandle(after);
}

TEST(FileExists, IsTrueForFilesOnly) {
  fixture::TempFolder folder;
  fixture::WriteFile(folder / "f.qvx", "");
  fixture::MakeFolder(folder / "d.qvx");
  EXPECT_TRUE(FileExists(folder / "f.qvx"));
  EXPECT_FALSE(FileExists(folder / "d.qvx"));
  EXPECT_FALSE(FileExists(folder / "none.qvx"));
}

}  // namespace
