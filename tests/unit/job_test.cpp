// The save-copy job end to end, with the user's answers scripted.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

#include "Classes.h"
#include "Fixture.h"
#include "Job.h"
#include "SysUtils.h"
#include "Texts.h"

namespace {

using savecopy::DialogRequest;

struct ScriptedHost : savecopy::JobHost {
  // What the user answers; nothing in `target` cancels the dialog.
  std::optional<std::string> target;
  bool allowOverwrite = true;

  std::vector<DialogRequest> dialogs;
  std::vector<std::string> questions;
  std::vector<std::string> endings;

  std::optional<std::string> AskTarget(const DialogRequest& request) override {
    dialogs.push_back(request);
    return target;
  }
  bool ConfirmOverwrite(std::string_view question) override {
    questions.emplace_back(question);
    return allowOverwrite;
  }
  void RequestQuit() override { endings.push_back("quit"); }
  void StopNow() override { endings.push_back("stop"); }
};

class SaveCopyJob : public ::testing::Test {
 protected:
  fixture::TempFolder app;
  fixture::TempFolder out;
  std::string working = app / "qvfilex/temp.qvx";
  std::string ini = app / "qv.ini";
  std::string exe = app / "stashx.exe";
  ScriptedHost host;

  // A working file whose title field says "Report  " then NULs.
  std::string WorkingBytes() const {
    std::string bytes(400, '\x7f');
    const std::string field = std::string("Report  ") + std::string(22, '\0');
    bytes.replace(149, 30, field);
    bytes[0] = '\0';
    return bytes;
  }
  void SetUp() override {
    fixture::MakeFolder(app / "qvfilex");
    fixture::WriteFile(working, WorkingBytes());
  }
  void Run(const savecopy::Profile& profile = savecopy::ProfileX) {
    savecopy::RunSaveCopy(profile, exe, host);
  }
  std::string Remembered(const char* key = "Name") {
    char buffer[256] = {};
    GetPrivateProfileStringA("RWfolder", key, "(none)", buffer, 255, ini.c_str());
    return buffer;
  }
};

TEST_F(SaveCopyJob, SavesACopyAndRemembersItsFolder) {
  host.target = out / "report";
  Run();
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].proposedName, "Repor.qvx");
  EXPECT_EQ(host.dialogs[0].initialDir, app / "qvfilex/");
  EXPECT_EQ(host.dialogs[0].filter, texts::FilterQvx);
  EXPECT_EQ(fixture::ReadFile(out / "report.qvx"), WorkingBytes());
  EXPECT_EQ(Remembered(), out.path());
  EXPECT_EQ(Remembered("PName"), "(none)");
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.endings, std::vector<std::string>{"quit"});

  // The next run opens where this one saved.
  ScriptedHost next;
  savecopy::RunSaveCopy(savecopy::ProfileX, exe, next);
  ASSERT_EQ(next.dialogs.size(), 1u);
  EXPECT_EQ(next.dialogs[0].initialDir, out.path());
}

TEST_F(SaveCopyJob, CancelledDialogLeavesEverythingAlone) {
  Run();
  EXPECT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(fixture::CountEntries(out.path()), 0u);
  EXPECT_FALSE(fixture::ReadFile(ini));
  EXPECT_EQ(host.endings, std::vector<std::string>{"quit"});
}

TEST_F(SaveCopyJob, AsksBeforeReplacing) {
  const std::string target = out / "report.qvx";
  for (bool allow : {false, true}) {
    fixture::WriteFile(target, "old bytes");
    host = ScriptedHost{};
    host.target = target;
    host.allowOverwrite = allow;
    Run();
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], texts::OverwriteQuestion);
    EXPECT_EQ(host.questions[0].size(), 42u);
    if (allow) {
      EXPECT_EQ(fixture::ReadFile(target), WorkingBytes());
      EXPECT_EQ(Remembered(), out.path());
      EXPECT_EQ(host.endings, std::vector<std::string>{"quit"});
    } else {
      EXPECT_EQ(fixture::ReadFile(target), "old bytes");
      EXPECT_FALSE(fixture::ReadFile(ini));
      EXPECT_EQ(host.endings, std::vector<std::string>{"stop"});
    }
  }
}

TEST_F(SaveCopyJob, WorkingFileHeldOpenEndsTheJobBeforeAnyDialog) {
  HANDLE held = CreateFileA(working.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  host.target = out / "report";
  try {
    Run();
    ADD_FAILURE() << "the job went on";
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(failure.Message(), Format(texts::FileOpenError, working));
  }
  CloseHandle(held);
  EXPECT_TRUE(host.dialogs.empty());
  EXPECT_TRUE(host.endings.empty());
  EXPECT_FALSE(fixture::ReadFile(ini));
}

TEST_F(SaveCopyJob, FailedCopyIsReportedAfterTheFolderIsRemembered) {
  // A folder stands where the copy would go: no prompt, the copy fails.
  const std::string target = out / "report.qvx";
  fixture::MakeFolder(target);
  host.target = target;
  try {
    Run();
    ADD_FAILURE() << "the failure went unreported";
  } catch (const EFOpenError&) {
    ADD_FAILURE() << "wrong failure";
  } catch (const Exception& failure) {
    EXPECT_EQ(failure.Message(), Format(texts::FileSaveError, target));
  }
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(Remembered(), out.path());
  EXPECT_EQ(host.endings, std::vector<std::string>{"quit"});
}

TEST_F(SaveCopyJob, TheTwoProgramsKeepApart) {
  fixture::WriteFile(app / "qvfilex/temp.qvp", std::string(106, 'p') + "P title" +
                                                   std::string(23, '\0'));
  exe = app / "stashp.exe";
  host.target = out / "p.qvx";
  Run(savecopy::ProfileP);
  EXPECT_EQ(host.dialogs.at(0).proposedName, "P title.qvp");
  EXPECT_EQ(host.dialogs.at(0).filter, texts::FilterQvp);
  EXPECT_TRUE(fixture::ReadFile(out / "p.qvx.qvp"));
  EXPECT_EQ(Remembered("PName"), out.path());
  EXPECT_EQ(Remembered("Name"), "(none)");
}

}  // namespace
