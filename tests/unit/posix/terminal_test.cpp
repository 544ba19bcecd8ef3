#include <gtest/gtest.h>

#include <sstream>

#include "Fixture.h"
#include "Terminal.h"
#include "Texts.h"

namespace {

using terminal::AskSavePath;

struct SaveCase {
  const char* what;
  std::string typed;
  std::optional<std::string> chosen;  // after the folder, or whole when it starts with "/"
};

TEST(TerminalSaveDialog, TurnsWhatIsTypedIntoAPath) {
  fixture::TempFolder folder;
  // The proposal holds a byte with no UTF-8 form: it is taken as it is.
  const std::string proposal = "AB\x83.qvx";
  const SaveCase cases[] = {
      {"empty line takes the proposal", "\n", proposal},
      {"a name in the folder", "report\r\n", "report"},
      {"a sub-path in the folder", "sub/report\n", "sub/report"},
      {"a full path", "/elsewhere/r.qvx\n", "/elsewhere/r.qvx"},
      {"Japanese typed in UTF-8", "\xe8\xa1\xa8\n", "\x95\x5c"},
      {"a name without Shift_JIS form is asked again", "\xf0\x9f\x98\x80\nok\n", "ok"},
      {"no line ending", "last", "last"},
      {"end of input cancels", "", std::nullopt},
      {"too long for the buffer", std::string(300, 'n') + "\n", std::nullopt},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.typed);
    std::ostringstream out;
    const auto path = AskSavePath({texts::FilterQvx, 1, proposal, folder.path(), 260}, in, out);
    std::optional<std::string> expected = c.chosen;
    if (expected && expected->front() != '/') expected = folder.path() + *expected;
    EXPECT_EQ(path, expected) << c.what;
  }
}

TEST(TerminalSaveDialog, ShowsTitleFolderFilterAndProposalInUtf8) {
  fixture::TempFolder folder;
  std::istringstream in("");
  std::ostringstream out;
  AskSavePath({texts::FilterQvx, 1, "\x95\x5c\x83.qvx", folder.path(), 260}, in, out);
  const std::string shown = out.str();
  EXPECT_NE(shown.find("名前を付けて保存"), std::string::npos) << shown;
  EXPECT_NE(shown.find(folder.path()), std::string::npos) << shown;
  EXPECT_NE(shown.find("ｸｳﾞｧﾙﾌｧｲﾙ(*.qvx)"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("*.*"), std::string::npos) << shown;
  EXPECT_NE(shown.find("[表\\x83.qvx]"), std::string::npos) << shown;
}

TEST(TerminalSaveDialog, AMissingFolderOpensInTheCurrentOne) {
  std::istringstream in("x\n");
  std::ostringstream out;
  const auto path = AskSavePath({texts::FilterQvx, 1, "", "/no/such/folder/", 260}, in, out);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->rfind("/no/such", 0), std::string::npos);
}

TEST(TerminalOkCancel, OnlyOkOrAnEmptyLineConfirms) {
  const struct {
    const char* typed;
    bool ok;
  } cases[] = {{"\n", true}, {"OK\n", true}, {"ok\r\n", true}, {"oK\n", true},
               {"no\n", false}, {"okay\n", false}, {"", false}, {"x\n", false}};
  for (const auto& c : cases) {
    std::istringstream in(c.typed);
    std::ostringstream out;
    EXPECT_EQ(terminal::AskOkCancel(texts::Warning, texts::OverwriteQuestion, in, out), c.ok)
        << c.typed;
    EXPECT_NE(out.str().find("警告"), std::string::npos);
    EXPECT_NE(out.str().find("同名ﾌｧｲﾙがあります\n\r上書きして良いですか。"), std::string::npos);
    EXPECT_NE(out.str().find("キャンセル"), std::string::npos);
  }
}

}  // namespace
