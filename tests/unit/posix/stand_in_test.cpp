// Where the POSIX stand-ins do better than Windows, and what only their own
// files can show: every byte of the profile file kept, replacement at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <sys/wait.h>
#include <unistd.h>

#include "Fixture.h"

namespace {

struct WriteCase {
  const char* what;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

const WriteCase kWrites[] = {
    {"replaces in place", "; note\n\n[A]\nx = 1 \n[RWfolder]\n  Name = old ; c\nPName=p\n\n[Z]\n",
     "RWfolder", "Name", "new",
     "; note\n\n[A]\nx = 1 \n[RWfolder]\n  Name =new\nPName=p\n\n[Z]\n"},
    {"adds after the section's last line", "[RWfolder]\r\nName=a\r\n\r\n[Z]\r\nk=v",
     "RWfolder", "PName", "b", "[RWfolder]\r\nName=a\r\nPName=b\r\n\r\n[Z]\r\nk=v"},
    {"adds to a section that ends the file unterminated", "[RWfolder]\nName=a", "RWfolder",
     "PName", "b", "[RWfolder]\nName=a\r\nPName=b\r\n"},
    {"adds the section at the end", "[A]\nk=v", "RWfolder", "Name", "C:\\",
     "[A]\nk=v\r\n[RWfolder]\r\nName=C:\\\r\n"},
    {"creates the file", "", "RWfolder", "Name", "D:\\out\\", "[RWfolder]\r\nName=D:\\out\\\r\n"},
    {"gives a bare key its value", "[s]\nk\nj=1\n", "s", "k", "v", "[s]\nk=v\nj=1\n"},
};

TEST(ProfileStandIn, KeepsEveryOtherByte) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  for (const auto& c : kWrites) {
    fixture::WriteFile(ini, c.before);
    ASSERT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, ini.c_str())) << c.what;
    EXPECT_EQ(fixture::ReadFile(ini), c.after) << c.what;
    EXPECT_EQ(fixture::CountEntries(folder.path()), 1u) << c.what;
  }
}

TEST(ProfileStandIn, RefusesLineBreaksThatWouldWriteLinesOfTheirOwn) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  fixture::WriteFile(ini, "[RWfolder]\r\nName=a\r\n");
  for (const char* value : {"x\r\nPName=y", "x\ny", "x\r"})
    EXPECT_FALSE(WritePrivateProfileStringA("RWfolder", "Name", value, ini.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("RW\nfolder", "Name", "v", ini.c_str()));
  EXPECT_EQ(fixture::ReadFile(ini), "[RWfolder]\r\nName=a\r\n");
}

TEST(ProfileStandIn, WritersInTwoProcessesKeepBothEntries) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  const char* key = child == 0 ? "PName" : "Name";
  for (int i = 0; i < 200; ++i)
    WritePrivateProfileStringA("RWfolder", key, std::to_string(i).c_str(), ini.c_str());
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  char name[32] = {}, pname[32] = {};
  GetPrivateProfileStringA("RWfolder", "Name", "", name, sizeof name, ini.c_str());
  GetPrivateProfileStringA("RWfolder", "PName", "", pname, sizeof pname, ini.c_str());
  EXPECT_STREQ(name, "199");
  EXPECT_STREQ(pname, "199");
}

TEST(CopyStandIn, LeavesNoFileBehindAndKeepsTheOldTargetOnFailure) {
  fixture::TempFolder folder;
  const std::string source = folder / "temp.qvx";
  const std::string target = folder / "report.qvx";
  fixture::WriteFile(source, std::string(1 << 20, 'n'));
  fixture::WriteFile(target, "old");
  ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_EQ(fixture::ReadFile(target)->size(), 1u << 20);
  EXPECT_EQ(fixture::CountEntries(folder.path()), 2u);
  EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), TRUE));
}

TEST(CopyStandIn, FullFileSystemKeepsTheOldTarget) {
  if (geteuid() != 0 || access("/dev/shm", W_OK) != 0) GTEST_SKIP() << "needs root to mount";
  fixture::TempFolder folder;
  const std::string small = folder / "small";
  fixture::MakeFolder(small);
  if (system(("mount -t tmpfs -o size=256k tmpfs '" + small + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  const std::string source = folder / "temp.qvx";
  const std::string target = small + "/report.qvx";
  fixture::WriteFile(source, std::string(1 << 20, 'n'));
  fixture::WriteFile(target, "old");
  EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_EQ(fixture::ReadFile(target), "old");
  EXPECT_EQ(fixture::CountEntries(small), 1u);
  system(("umount '" + small + "'").c_str());
}

}  // namespace
