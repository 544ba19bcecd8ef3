// Where the POSIX stand-ins do better than Windows, and what only their own
// files can show: every byte of the profile file kept, replacement at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
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
    // A CR alone ends no line: the line end added after it is LF alone.
    {"adds after a header whose line holds a lone CR", "[RWfolder]\rName=a\r", "RWfolder",
     "PName", "b", "[RWfolder]\rName=a\r\nPName=b\r\n"},
    {"adds the section after a file ending in CR", "[A]\r\nk=v\r", "RWfolder", "Name", "C:\\",
     "[A]\r\nk=v\r\n[RWfolder]\r\nName=C:\\\r\n"},
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

// Runs `call` in a child process, so that one that never returns cannot hold
// up the suite: true when it returned true within five seconds.
bool TrueAndSoon(const std::function<bool()>& call) {
  const pid_t child = fork();
  if (child == 0) _exit(call() ? 0 : 1);
  for (int i = 0; i < 500; ++i) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    usleep(10000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return false;
}

// A pipe where a file is expected has no writer, and opening it to read
// would wait for one for ever: each stand-in refuses it at once instead.
TEST(StandIns, RefuseAPipeInsteadOfWaitingForItsWriter) {
  fixture::TempFolder folder;
  const std::string pipe = folder / "pipe";
  const std::string file = folder / "temp.qvx";
  const std::string target = folder / "report.qvx";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  fixture::WriteFile(file, "bytes");

  const struct {
    const char* what;
    std::function<bool()> call;
  } cases[] = {
      {"opening the working file",
       [&] {
         return CreateFileA(pipe.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr) == INVALID_HANDLE_VALUE;
       }},
      {"copying from it",
       [&] { return !CopyFileA(pipe.c_str(), target.c_str(), FALSE) && !fixture::ReadFile(target); }},
      {"copying onto it", [&] { return !CopyFileA(file.c_str(), pipe.c_str(), FALSE); }},
      {"reading it as the settings file",
       [&] {
         char value[16] = {};
         GetPrivateProfileStringA("RWfolder", "Name", "default", value, sizeof value, pipe.c_str());
         return std::string(value) == "default";
       }},
      {"writing it as the settings file",
       [&] { return !WritePrivateProfileStringA("RWfolder", "Name", "/a/", pipe.c_str()); }},
  };
  for (const auto& c : cases) EXPECT_TRUE(TrueAndSoon(c.call)) << c.what;
  struct stat st {};
  ASSERT_EQ(lstat(pipe.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(fixture::CountEntries(folder.path()), 2u);
}

}  // namespace
