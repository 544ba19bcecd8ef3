// What the profile functions answer, held against the system's own on
// Windows and against the stand-ins elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "Fixture.h"

namespace {

std::string Read(const std::string& file, const char* section, const char* key,
                 const char* fallback = "(default)", DWORD size = 255) {
  char buffer[300] = {};
  GetPrivateProfileStringA(section, key, fallback, buffer, size, file.c_str());
  return buffer;
}

struct ReadCase {
  const char* what;
  const char* ini;
  const char* section;
  const char* key;
  const char* value;
};

const ReadCase kReads[] = {
    {"plain", "[RWfolder]\r\nName=C:\\out\\\r\n", "RWfolder", "Name", "C:\\out\\"},
    {"LF line ends", "[RWfolder]\nName=C:\\out\\\n", "RWfolder", "Name", "C:\\out\\"},
    {"no final line end", "[RWfolder]\r\nName=v", "RWfolder", "Name", "v"},
    {"names ignore case", "[rwFOLDER]\r\nnAME=v\r\n", "RWfolder", "Name", "v"},
    {"blanks around names and value", "  [ RWfolder ]  \r\n\t Name \t=  v w \t\r\n", "RWfolder",
     "Name", "v w"},
    {"double quotes", "[s]\r\nk=\"  v \"\r\n", "s", "k", "  v "},
    {"single quotes", "[s]\r\nk='v'\r\n", "s", "k", "v"},
    {"quotes that do not pair", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'"},
    {"empty value is no default", "[s]\r\nk=\r\n", "s", "k", ""},
    {"whole names only", "[s]\r\nkk=1\r\nk2=2\r\n", "s", "k", "(default)"},
    {"PName is not Name", "[s]\r\nPName=1\r\n", "s", "Name", "(default)"},
    {"other section", "[t]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "2"},
    {"section absent", "[t]\r\nk=1\r\n", "s", "k", "(default)"},
    {"first key wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
    {"first section searched", "[s]\r\nj=1\r\n[s]\r\nk=2\r\n", "s", "k", "(default)"},
    {"comment line", "[s]\r\n;k=1\r\nk=2\r\n", "s", "k", "2"},
    {"semicolon in a value", "[s]\r\nk=a;b #c\r\n", "s", "k", "a;b #c"},
    {"Shift_JIS value", "[s]\r\nk=D:\\\x95\x5c\\\r\n", "s", "k", "D:\\\x95\x5c\\"},
};

TEST(ProfileRead, FindsTheEntry) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  for (const auto& c : kReads) {
    fixture::WriteFile(ini, c.ini);
    EXPECT_EQ(Read(ini, c.section, c.key), c.value) << c.what;
  }
}

TEST(ProfileRead, AbsentFileGivesTheDefault) {
  fixture::TempFolder folder;
  EXPECT_EQ(Read(folder / "qv.ini", "s", "k", "C:\\app\\qvfilex\\"), "C:\\app\\qvfilex\\");
}

TEST(ProfileRead, CopiesAtMostSizeLessOneAndTerminates) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  fixture::WriteFile(ini, "[s]\r\nk=0123456789\r\n");
  char buffer[16];
  std::memset(buffer, 'X', sizeof buffer);
  const DWORD count = GetPrivateProfileStringA("s", "k", "", buffer, 5, ini.c_str());
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(std::string(buffer, 6), std::string("0123\0X", 6));
  EXPECT_EQ(Read(ini, "s", "missing", "abcdefgh", 4), "abc");
}

TEST(ProfileWrite, CreatesReplacesAndAddsEntries) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("RWfolder", "Name", "C:\\a\\", ini.c_str()));
  EXPECT_EQ(Read(ini, "RWfolder", "Name"), "C:\\a\\");

  ASSERT_TRUE(WritePrivateProfileStringA("RWfolder", "PName", "C:\\p\\", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("rwfolder", "name", "C:\\b\\", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Other", "Name", "x", ini.c_str()));
  EXPECT_EQ(Read(ini, "RWfolder", "Name"), "C:\\b\\");
  EXPECT_EQ(Read(ini, "RWfolder", "PName"), "C:\\p\\");
  EXPECT_EQ(Read(ini, "Other", "Name"), "x");
}

TEST(ProfileWrite, ChangesOnlyItsEntryInAFileOfOthers) {
  fixture::TempFolder folder;
  const std::string ini = folder / "qv.ini";
  fixture::WriteFile(ini,
                     "[First]\nName=one\n\n[RWfolder]\nPName=p\nName=old\n\n[Last]\nName=last\n");
  ASSERT_TRUE(WritePrivateProfileStringA("RWfolder", "Name", "new", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("First", "Extra", "e", ini.c_str()));
  EXPECT_EQ(Read(ini, "RWfolder", "Name"), "new");
  EXPECT_EQ(Read(ini, "RWfolder", "PName"), "p");
  EXPECT_EQ(Read(ini, "First", "Name"), "one");
  EXPECT_EQ(Read(ini, "First", "Extra"), "e");
  EXPECT_EQ(Read(ini, "Last", "Name"), "last");
  EXPECT_EQ(Read(ini, "Last", "Extra"), "(default)");
}

TEST(ProfileWrite, FailsWhereNoFileCanBe) {
  fixture::TempFolder folder;
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", (folder / "missing/qv.ini").c_str()));
}

}  // namespace
