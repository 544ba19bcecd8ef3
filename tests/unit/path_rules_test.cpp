#include <gtest/gtest.h>

#include "PathRules.h"

namespace {

using savecopy::FolderPart;
using savecopy::TargetPath;

constexpr std::string_view kWindows = "\\:";

struct FolderCase {
  const char* path;
  const char* folder;
};

// 表 is 95 5C and ソ is 83 5C: their second byte is the value of "\".
const FolderCase kWindowsFolders[] = {
    {"D:\\out\\report.qvx", "D:\\out\\"},
    {"D:\\out\\\x95\x5c.qvx", "D:\\out\\"},
    {"D:\\\x83\x5c\\report.qvx", "D:\\\x83\x5c\\"},
    {"D:\\\x95\x5c", "D:\\"},
    {"C:report.qvx", "C:"},
    {"report.qvx", ""},
    {"", ""},
    {"\\\\server\\share\\a.qvx", "\\\\server\\share\\"},
    // A lead byte takes the byte after it, whatever that is.
    {"D:\\ab\x83\\", "D:\\"},
};

TEST(FolderPart, WindowsSeparatorsScanByCharacters) {
  for (const auto& c : kWindowsFolders) EXPECT_EQ(FolderPart(c.path, kWindows), c.folder) << c.path;
}

TEST(FolderPart, PosixSeparator) {
  EXPECT_EQ(FolderPart("/home/u/\x95\x5c/a.qvx", "/"), "/home/u/\x95\x5c/");
  EXPECT_EQ(FolderPart("a.qvx", "/"), "");
  // "\" and ":" are ordinary name characters there.
  EXPECT_EQ(FolderPart("/tmp/a\\b:c", "/"), "/tmp/");
}

struct TargetCase {
  const char* chosen;
  const char* target;
};

const TargetCase kTargets[] = {
    {"D:\\out\\report", "D:\\out\\report.qvx"},
    {"D:\\out\\report.qvx", "D:\\out\\report.qvx"},
    {"D:\\out\\report.QVX", "D:\\out\\report.QVX.qvx"},
    {"D:\\out\\report.txt", "D:\\out\\report.txt.qvx"},
    {"D:\\out\\report.qvx.bak", "D:\\out\\report.qvx.bak.qvx"},
    {"D:\\out\\.qvx", "D:\\out\\.qvx"},
    // A dot in a folder's name is no extension of the file.
    {"D:\\a.qvx\\report", "D:\\a.qvx\\report.qvx"},
    {"C:.qvx", "C:.qvx"},
    {"D:\\out\\\x95\x5c.qvx", "D:\\out\\\x95\x5c.qvx"},
    {"D:\\out\\report.qvxx", "D:\\out\\report.qvxx.qvx"},
};

TEST(TargetPath, AppendsTheExtensionUnlessItIsThereExactly) {
  for (const auto& c : kTargets) EXPECT_EQ(TargetPath(c.chosen, ".qvx", kWindows), c.target) << c.chosen;
  EXPECT_EQ(TargetPath("/out/report.qvp", ".qvp", "/"), "/out/report.qvp");
  EXPECT_EQ(TargetPath("/out/report.qvx", ".qvp", "/"), "/out/report.qvx.qvp");
}

}  // namespace
