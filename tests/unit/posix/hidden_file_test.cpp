// The hidden file that a copy or a profile write fills before it takes the
// target's place: created only where no name stood, so that a link or a
// folder put in the target's folder beforehand never receives the bytes, and
// nothing planted is moved or removed.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Fixture.h"
#include "replacement_file.h"

namespace {

using winapi_impl::HiddenNameFor;
using winapi_impl::kHiddenNameAttempts;

// Suffixes known beforehand: "n0", "n1", ...
std::string CountingSuffix(unsigned attempt) { return "n" + std::to_string(attempt); }

class HiddenFile : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi_impl::SetHiddenSuffixSource(CountingSuffix);
    fixture::MakeFolder(folder / "out");
    fixture::MakeFolder(folder / "elsewhere");
    fixture::WriteFile(source, std::string(100000, 'n'));
    fixture::WriteFile(victim, "victim");
  }
  void TearDown() override { winapi_impl::SetHiddenSuffixSource(nullptr); }

  static bool IsLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }
  static bool IsRegular(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }
  static std::string LinkText(const std::string& path) {
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
  }

  fixture::TempFolder folder;
  std::string source = folder / "temp.qvx";
  std::string victim = folder / "elsewhere/victim";
  std::string unborn = folder / "elsewhere/unborn";  // a name a link may point to
};

// The two writers that go through a hidden file, each with its target, the
// bytes the target holds before and the bytes it must hold after.
struct Writer {
  const char* what;
  const char* name;  // in out/
  const char* before;
  std::function<bool(const std::string& source, const std::string& target)> write;
  std::function<std::string()> after;
  // Whether the new value is what reads of the target now give.
  std::function<bool(const std::string& target)> landed;
};

const Writer kWriters[] = {
    {"copy", "report.qvx", "old",
     [](const std::string& from, const std::string& to) {
       return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
     },
     [] { return std::string(100000, 'n'); },
     [](const std::string& to) { return fixture::ReadFile(to) == std::string(100000, 'n'); }},
    {"profile write", "qv.ini", "; kept\r\n[RWfolder]\r\nName=/a/\r\n",
     [](const std::string&, const std::string& to) {
       return WritePrivateProfileStringA("RWfolder", "Name", "/b/", to.c_str()) != FALSE;
     },
     [] { return std::string("; kept\r\n[RWfolder]\r\nName=/b/\r\n"); },
     [](const std::string& to) {
       char value[16] = {};
       GetPrivateProfileStringA("RWfolder", "Name", "", value, sizeof value, to.c_str());
       return std::string(value) == "/b/";
     }},
};

TEST_F(HiddenFile, PassesOverWhatIsPlantedAtItsFirstName) {
  const struct {
    const char* what;
    std::function<void(const std::string& at)> plant;
    std::function<bool(const std::string& at)> untouched;
  } plants[] = {
      {"link to a file elsewhere",
       [&](const std::string& at) { ASSERT_EQ(symlink(victim.c_str(), at.c_str()), 0); },
       [&](const std::string& at) { return IsLink(at) && LinkText(at) == victim; }},
      {"link to a name not yet there",
       [&](const std::string& at) { ASSERT_EQ(symlink(unborn.c_str(), at.c_str()), 0); },
       [&](const std::string& at) { return IsLink(at) && LinkText(at) == unborn; }},
      {"folder", [](const std::string& at) { fixture::MakeFolder(at); },
       [](const std::string& at) { return fixture::CountEntries(at) == 0; }},
      {"file", [](const std::string& at) { fixture::WriteFile(at, "theirs"); },
       [](const std::string& at) { return IsRegular(at) && fixture::ReadFile(at) == "theirs"; }},
  };
  for (const auto& writer : kWriters) {
    for (const auto& plant : plants) {
      SCOPED_TRACE(std::string(writer.what) + ", " + plant.what);
      fixture::TempFolder out;
      const std::string target = out / writer.name;
      fixture::WriteFile(target, writer.before);
      const std::string first = HiddenNameFor(target, CountingSuffix(0));
      plant.plant(first);

      EXPECT_TRUE(writer.write(source, target));
      EXPECT_EQ(fixture::ReadFile(target), writer.after());
      EXPECT_TRUE(plant.untouched(first));
      EXPECT_EQ(fixture::ReadFile(victim), "victim");
      EXPECT_FALSE(fixture::ReadFile(unborn));
      EXPECT_EQ(fixture::CountEntries(out.path()), 2u);  // the target and the plant
    }
  }
}

TEST_F(HiddenFile, FailsCleanlyWhenEveryNameIsTaken) {
  for (const auto& writer : kWriters) {
    SCOPED_TRACE(writer.what);
    fixture::TempFolder out;
    const std::string target = out / writer.name;
    fixture::WriteFile(target, writer.before);
    for (unsigned i = 0; i < kHiddenNameAttempts; ++i)
      ASSERT_EQ(symlink(victim.c_str(), HiddenNameFor(target, CountingSuffix(i)).c_str()), 0);

    EXPECT_FALSE(writer.write(source, target));
    EXPECT_EQ(fixture::ReadFile(target), writer.before);
    EXPECT_EQ(fixture::ReadFile(victim), "victim");
    EXPECT_EQ(fixture::CountEntries(out.path()), kHiddenNameAttempts + 1);
  }
}

// A link standing at the target's own name is replaced like a file, as
// Windows replaces the file at the name; nothing is written where it points.
// A link to a folder names a folder and is refused, as a folder is.
TEST_F(HiddenFile, ReplacesALinkAtTheTargetNameInsteadOfWritingThroughIt) {
  const struct {
    const char* what;
    std::string pointsTo;
  } links[] = {
      {"link to a file elsewhere", victim},
      {"link to a name not yet there", unborn},
  };
  for (const auto& writer : kWriters) {
    for (const auto& link : links) {
      SCOPED_TRACE(std::string(writer.what) + ", " + link.what);
      fixture::TempFolder out;
      const std::string target = out / writer.name;
      ASSERT_EQ(symlink(link.pointsTo.c_str(), target.c_str()), 0);

      EXPECT_TRUE(writer.write(source, target));
      EXPECT_TRUE(IsRegular(target));
      EXPECT_TRUE(writer.landed(target));
      EXPECT_EQ(fixture::CountEntries(out.path()), 1u);
      EXPECT_EQ(fixture::ReadFile(victim), "victim");
      EXPECT_FALSE(fixture::ReadFile(unborn));
    }
  }
}

TEST_F(HiddenFile, RefusesALinkToAFolderAtTheTargetName) {
  const std::string linked = folder / "elsewhere/dir.qvx";
  fixture::MakeFolder(linked);
  fixture::TempFolder out;
  const std::string target = out / "report.qvx";
  ASSERT_EQ(symlink(linked.c_str(), target.c_str()), 0);

  EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_TRUE(IsLink(target));
  EXPECT_EQ(fixture::CountEntries(linked), 0u);
  EXPECT_EQ(fixture::CountEntries(out.path()), 1u);
}

}  // namespace
