#include <gtest/gtest.h>

#include "Forms.h"
#include "SysUtils.h"
#include "Texts.h"

namespace {

TEST(ApplicationTitle, IsTheFileNameCutAtItsFirstDot) {
  const std::string d(1, PathDelim);
  const struct {
    std::string exe;
    const char* title;
  } cases[] = {
      {d + "app" + d + "stashx.exe", "stashx"},
      {d + "app" + d + "STASHP.EXE", "Stashp"},
      {d + "a.b" + d + "Save.Copy.exe", "Save"},
      {"stashx", "stashx"},
      // ア (83 41) keeps its second byte, which looks like "A".
      {d + "x" + d + "X\x83\x41Z.exe", "X\x83\x41z"},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplicationTitleFor(c.exe), c.title) << c.exe;
}

TEST(ErrorBox, AddsAFullStopAfterCharactersThatSortAfterIt) {
  const struct {
    std::string message;
    std::string text;
  } cases[] = {
      {Format(texts::FileOpenError, "C:\\app\\qvfilex\\temp.qvx"),
       Format(texts::FileOpenError, "C:\\app\\qvfilex\\temp.qvx") + "."},
      {"done.", "done."},
      {"a-", "a-"},
      {"a/", "a/."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.text) << c.message;
}

}  // namespace
