#include <gtest/gtest.h>

#include <string>

#include "Classes.h"
#include "Fixture.h"
#include "Profile.h"
#include "TitleField.h"

namespace {

using savecopy::SuggestedName;
using savecopy::TitleRule;
using namespace std::string_literals;

// A 30-byte title field: `text`, then `fill` up to the end.
std::string Field(const std::string& text, char fill) {
  return text + std::string(30 - text.size(), fill);
}

struct TitleCase {
  const char* what;
  TitleRule rule;
  std::string field;
  std::string name;
};

// ア is 83 41, 表 is 95 5C.
const TitleCase kTitles[] = {
    {"X blanks after", TitleRule::Trimmed, Field("ABC", ' '), "AB"},
    {"X NULs after", TitleRule::Trimmed, Field("ABC", '\0'), "AB"},
    {"X four bytes", TitleRule::Trimmed, Field("ABC*", '\0'), "ABC"},
    {"X stops at NUL", TitleRule::Trimmed, Field("ABC\0DEFG"s, ' '), "AB"},
    {"X inner blank kept", TitleRule::Trimmed, Field("  A B", ' '), "A "},
    {"X control bytes", TitleRule::Trimmed, Field("\t\x01Q\x1fZ\r\n", '\0'), "Q\x1f"},
    {"X all blanks", TitleRule::Trimmed, Field("", ' '), ""},
    {"X all NULs", TitleRule::Trimmed, Field("", '\0'), ""},
    {"X one byte", TitleRule::Trimmed, Field("A", '\0'), ""},
    {"X double-byte last", TitleRule::Trimmed, Field("AB\x95\x5c", '\0'), "AB"},
    {"X only double-byte", TitleRule::Trimmed, Field("\x83\x41", ' '), ""},
    {"X lone lead at end", TitleRule::Trimmed, Field("AB\x83", '\0'), "AB"},
    {"X 30 bytes", TitleRule::Trimmed, std::string(30, 'Q'), std::string(29, 'Q')},
    {"P NULs after", TitleRule::Raw, Field("ABC", '\0'), "ABC"},
    {"P blanks kept", TitleRule::Raw, Field("ABC", ' '), "ABC" + std::string(27, ' ')},
    {"P 30 bytes", TitleRule::Raw, std::string(30, 'Q'), std::string(30, 'Q')},
    {"P stops at NUL", TitleRule::Raw, Field("AB\0CD"s, 'E'), "AB"},
    {"P control bytes kept", TitleRule::Raw, Field("\tA\r", '\0'), "\tA\r"},
    {"P double-byte kept", TitleRule::Raw, Field("\x83\x41\x95\x5c", '\0'), "\x83\x41\x95\x5c"},
    {"P partner cut by NUL", TitleRule::Raw, Field("AB\x83", '\0'), "AB"},
    {"P partner cut by field end", TitleRule::Raw, std::string(29, 'Q') + "\x95", std::string(29, 'Q')},
};

TEST(SuggestedName, FromTitleFields) {
  for (const auto& c : kTitles) {
    ASSERT_EQ(c.field.size(), 30u) << c.what;
    EXPECT_EQ(SuggestedName(c.rule, savecopy::TitleText(c.field)), c.name) << c.what;
  }
}

// The working file: `size` bytes of 'z', then `field` at `offset` (which may
// run past `size`, making the file longer).
std::string WorkingFile(size_t size, size_t offset, const std::string& field) {
  std::string bytes(size, 'z');
  if (offset + field.size() > bytes.size()) bytes.resize(offset + field.size(), 'z');
  bytes.replace(offset, field.size(), field);
  return bytes;
}

TEST(ReadSuggestedName, ReadsTheFieldAtEachProfilesOffset) {
  fixture::TempFolder folder;
  const std::string path = folder / "temp";
  // Bytes right after the field must not be taken.
  fixture::WriteFile(path, WorkingFile(400, 149, std::string(30, 'X')));
  TFileStream x(path, fmOpenRead | fmShareExclusive);
  EXPECT_EQ(savecopy::ReadSuggestedName(x, savecopy::ProfileX), std::string(29, 'X'));

  fixture::WriteFile(folder / "temp2", WorkingFile(400, 106, std::string(30, 'P')));
  TFileStream p(folder / "temp2", fmOpenRead | fmShareExclusive);
  EXPECT_EQ(savecopy::ReadSuggestedName(p, savecopy::ProfileP), std::string(30, 'P'));
}

TEST(ReadSuggestedName, ShortFilesCountAsNul) {
  struct Case {
    std::string bytes;
    const savecopy::Profile& profile;
    std::string name;
  };
  const Case cases[] = {
      {std::string(100, 'z'), savecopy::ProfileX, ""},
      {"", savecopy::ProfileP, ""},
      // The file ends inside the field.
      {WorkingFile(149, 149, "ABCD"), savecopy::ProfileX, "ABC"},
      {WorkingFile(106, 106, "AB "), savecopy::ProfileP, "AB "},
  };
  fixture::TempFolder folder;
  for (const auto& c : cases) {
    fixture::WriteFile(folder / "temp", c.bytes);
    TFileStream file(folder / "temp", fmOpenRead | fmShareExclusive);
    EXPECT_EQ(savecopy::ReadSuggestedName(file, c.profile), c.name) << c.bytes.size();
  }
}

}  // namespace
