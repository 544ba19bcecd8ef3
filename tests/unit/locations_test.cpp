#include <gtest/gtest.h>

#include "Fixture.h"
#include "Locations.h"
#include "SysUtils.h"

namespace {

using savecopy::Locations;
using savecopy::LocationsFor;

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string path;
  for (auto part : parts) path.append(part).push_back(PathDelim);
  path.pop_back();
  return path;
}

TEST(Locations, FollowTheProgramFolderForEachVariant) {
  // 表 (95 5C) in the folder's name: its second byte is no separator.
  const std::string folder = Joined({"", "opt", "\x95\x5c", ""});
  const struct {
    const savecopy::Profile& profile;
    const char* exe;
    const char* file;
  } cases[] = {{savecopy::ProfileX, "stashx.exe", "temp.qvx"},
               {savecopy::ProfileP, "stashp.exe", "temp.qvp"}};
  for (const auto& c : cases) {
    const Locations l = LocationsFor(c.profile, folder + c.exe);
    EXPECT_EQ(l.programFolder, folder);
    EXPECT_EQ(l.workingFolder, folder + "qvfilex" + PathDelim);
    EXPECT_EQ(l.workingFile, folder + "qvfilex" + PathDelim + c.file);
    EXPECT_EQ(l.settingsFile, folder + "qv.ini");
  }
}

class RememberedFolder : public ::testing::Test {
 protected:
  fixture::TempFolder folder;
  Locations x = LocationsFor(savecopy::ProfileX, folder / "stashx.exe");
  Locations p = LocationsFor(savecopy::ProfileP, folder / "stashp.exe");
};

TEST_F(RememberedFolder, DefaultsToTheWorkingFolder) {
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), x.workingFolder);
  fixture::WriteFile(x.settingsFile, "[Other]\r\nName=elsewhere\r\n");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), x.workingFolder);
}

TEST_F(RememberedFolder, EachVariantKeepsItsOwnEntry) {
  savecopy::WriteRememberedFolder(savecopy::ProfileX, x, "D:\\out\\");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), "D:\\out\\");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileP, p), p.workingFolder);

  savecopy::WriteRememberedFolder(savecopy::ProfileP, p, "E:\\\x95\x5c\\");
  savecopy::WriteRememberedFolder(savecopy::ProfileX, x, "D:\\again\\");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), "D:\\again\\");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileP, p), "E:\\\x95\x5c\\");
}

TEST_F(RememberedFolder, ReadsAtMost254Bytes) {
  const std::string value(300, 'v');
  fixture::WriteFile(x.settingsFile, "[RWfolder]\r\nName=" + value + "\r\n");
  EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), value.substr(0, 254));
}

}  // namespace
