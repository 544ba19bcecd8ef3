// qv.ini files that no program of ours wrote: binary bytes, NUL bytes, a
// 10 MiB line, a million lines, section headers without their bracket. The
// remembered folder reads as the folder stored there, or as the working folder
// when none can be found; a write stores the new folder and leaves the other
// program's entry as it read before. The POSIX stand-in must also keep every
// other byte of the file; the Windows build's profile functions may rewrite
// the whole file, so there only what reads return is judged.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Fixture.h"
#include "Locations.h"

namespace {

using savecopy::Locations;
using savecopy::LocationsFor;
using namespace std::string_literals;

#ifdef _WIN32
constexpr bool kStandIn = false;
#else
constexpr bool kStandIn = true;
#endif

constexpr std::size_t kMiB = 1 << 20;
// D:\表\new\ : the second byte of 表 is the byte of "\".
const std::string kNew = "D:\\\x95\x5c\\new\\";
const std::string kOld = "D:\\old\\";

// Every byte value once, then bytes from a fixed seed; it starts with NUL, so
// no reader takes it for a marked UTF-8 or UTF-16 text, and ends in "z".
std::string BinaryBytes(std::size_t size) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  std::mt19937 random(932);
  while (bytes.size() < size) bytes += static_cast<char>(random() & 0xFF);
  return bytes + "z";
}

// `count` entries "k<n>=v<n>", one a line.
std::string ManyLines(std::size_t count) {
  std::string lines;
  lines.reserve(count * 20);
  for (std::size_t i = 0; i < count; ++i)
    lines.append("k")
        .append(std::to_string(i))
        .append("=v")
        .append(std::to_string(i))
        .append("\r\n");
  return lines;
}

// The file's bytes, read in large pieces: these files run to megabytes.
std::optional<std::string> FileBytes(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

// Two files' bytes, without printing megabytes when they differ.
::testing::AssertionResult SameBytes(const std::optional<std::string>& got,
                                     const std::string& want) {
  if (!got) return ::testing::AssertionFailure() << "the file is gone";
  if (*got == want) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < got->size() && at < want.size() && (*got)[at] == want[at]) ++at;
  return ::testing::AssertionFailure()
         << "sizes " << got->size() << " and " << want.size() << ", first difference at byte " << at
         << ": got \"" << got->substr(at, 40) << "\", want \"" << want.substr(at, 40) << "\"";
}

struct HostileCase {
  const char* what;
  std::string before;
  // What the remembered folder reads as before the write; nothing for the
  // working folder.
  std::optional<std::string> stored;
  // The file after the write of kNew, on the stand-in.
  std::string after;
};

// The file is `head` + "Name=" + `value` + `tail`: the write changes the value alone.
HostileCase Replaced(const char* what, const std::string& head, const std::string& value,
                     const std::string& tail, std::optional<std::string> stored) {
  return {what, head + "Name=" + value + tail, std::move(stored), head + "Name=" + kNew + tail};
}

// The file holds no entry: the write adds `added` where it belongs.
HostileCase Added(const char* what, const std::string& before, const std::string& added) {
  return {what, before, std::nullopt, added};
}

std::vector<HostileCase> HostileCases() {
  const std::string binary = BinaryBytes(64 * 1024);
  const std::string section = "[RWfolder]\r\n";
  const std::string entry = "Name=" + kNew + "\r\n";
  std::vector<HostileCase> cases;
  cases.push_back(Added("binary bytes alone", binary, binary + "\r\n" + section + entry));
  cases.push_back(Replaced("an entry between binary bytes", binary + "\r\n" + section, kOld,
                           "\r\n" + binary, kOld));
  cases.push_back(Replaced("NUL bytes around the entry",
                           "\0\0\0\r\n[RWfolder]\r\nPName=\0\0\r\n\0\r\n"s, kOld, "\r\n\0\0"s,
                           kOld));
  // A text ends at its first NUL.
  cases.push_back(Replaced("a NUL inside the value", section, "D:\\a\0b\\"s, "\r\n", "D:\\a"));
  cases.push_back(Replaced("a 10 MiB line before the section",
                           "[Big]\r\nJunk=" + std::string(10 * kMiB, 'j') + "\r\n" + section, kOld,
                           "\r\n[Z]\r\nName=z\r\n", kOld));
  cases.push_back(Replaced("a 10 MiB value", section, "D:\\" + std::string(10 * kMiB, 'v'),
                           "\r\nPName=p\r\n", "D:\\" + std::string(251, 'v')));
  cases.push_back(Replaced("a million lines before the section",
                           "[Big]\r\n" + ManyLines(1000000) + section, kOld, "\r\n", kOld));
  cases.push_back(Added("a million lines in the section without the entry",
                        section + ManyLines(1000000), section + ManyLines(1000000) + entry));
  cases.push_back(Replaced("another section's header without its bracket",
                           "[Other\r\nName=elsewhere\r\n" + section, kOld, "\r\n", kOld));
  cases.push_back(Added("a header cut off at the end of the file", "[Other]\r\nk=v\r\n[RWfol",
                        "[Other]\r\nk=v\r\n[RWfol\r\n" + section + entry));
  return cases;
}

class HostileSettings : public ::testing::Test {
 protected:
  fixture::TempFolder folder;
  Locations x = LocationsFor(savecopy::ProfileX, folder / "stashx.exe");
  Locations p = LocationsFor(savecopy::ProfileP, folder / "stashp.exe");
};

TEST_F(HostileSettings, ReadTheStoredFolderOrTheWorkingFolderAndWriteOneEntry) {
  for (const HostileCase& c : HostileCases()) {
    SCOPED_TRACE(c.what);
    fixture::WriteFile(x.settingsFile, c.before);
    EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x),
              c.stored.value_or(x.workingFolder));
    const std::string other = savecopy::ReadRememberedFolder(savecopy::ProfileP, p);

    savecopy::WriteRememberedFolder(savecopy::ProfileX, x, kNew);
    EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), kNew);
    EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileP, p), other);
    if (kStandIn) {
      EXPECT_TRUE(SameBytes(FileBytes(x.settingsFile), c.after));
    }
  }
}

// Where the platforms read a broken file differently, what the job relies on
// still holds: the read gives the stored folder or the working folder, and
// after a write the new folder.
TEST_F(HostileSettings, ABrokenHeaderOfTheSectionItself) {
  const struct {
    const char* before;
    const char* after;  // on the stand-in, which takes the rest of the line as the name
  } cases[] = {
      {"[RWfolder\r\nName=D:\\old\\\r\n", "[RWfolder\r\nName=D:\\\x95\x5c\\new\\\r\n"},
      {"[RWfolder", "[RWfolder\r\nName=D:\\\x95\x5c\\new\\\r\n"},
      {"[RWfolder]\rName=D:\\old\\\r",
       "[RWfolder]\rName=D:\\old\\\r\nName=D:\\\x95\x5c\\new\\\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    fixture::WriteFile(x.settingsFile, c.before);
    const std::string read = savecopy::ReadRememberedFolder(savecopy::ProfileX, x);
    EXPECT_TRUE(read == kOld || read == x.workingFolder) << read;
    savecopy::WriteRememberedFolder(savecopy::ProfileX, x, kNew);
    EXPECT_EQ(savecopy::ReadRememberedFolder(savecopy::ProfileX, x), kNew);
    if (kStandIn) {
      EXPECT_TRUE(SameBytes(FileBytes(x.settingsFile), c.after));
    }
  }
}

}  // namespace
