// The programs' one window. It never shows anything of its own: while it is
// created it moves out of sight and runs the save-copy job.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Dialogs.h"
#include "Forms.h"
#include "Job.h"

class TForm1 : public TForm, private savecopy::JobHost {
 public:
  explicit TForm1(const savecopy::Profile& profile);

  TSaveDialog SaveDialog1;

  void FormCreate(TObject* Sender);

 protected:
  void DoCreate() override { FormCreate(this); }

 private:
  std::optional<std::string> AskTarget(const savecopy::DialogRequest& request) override;
  bool ConfirmOverwrite(std::string_view question) override;
  void RequestQuit() override;
  void StopNow() override;

  const savecopy::Profile& profile_;
};

extern TForm1* Form1;
