#include "Unit1.h"

#include "SysUtils.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(const savecopy::Profile& profile) : SaveDialog1(this), profile_(profile) {
  SetCaption("Form1");
  SetLeft(192);
  SetTop(107);
  SetWidth(125);
  SetHeight(93);
  SetColor(clBtnFace);
  SetFont(TFont{SHIFTJIS_CHARSET, -12});
  SaveDialog1.Filter = std::string(profile.dialogFilter);
  SaveDialog1.FilterIndex = 1;
}

void TForm1::FormCreate(TObject*) {
  // 125 x 93 at (-150, -100) ends at (-25, -7): above and left of the screen.
  SetTop(-100);
  SetLeft(-150);
  try {
    savecopy::RunSaveCopy(profile_, Application->ExeName(), *this);
  } catch (const Exception&) {
    // Whatever went wrong, the run ends once the error box is closed.
    Application->Terminate();
    throw;
  }
}

std::optional<std::string> TForm1::AskTarget(const savecopy::DialogRequest& request) {
  SaveDialog1.FileName = request.proposedName;
  SaveDialog1.InitialDir = request.initialDir;
  if (!SaveDialog1.Execute()) return std::nullopt;
  return SaveDialog1.FileName;
}

bool TForm1::ConfirmOverwrite(std::string_view question) {
  return MessageDlg(question, TMsgDlgType::mtWarning, mbOK | mbCancel, 0) == mrOk;
}

void TForm1::RequestQuit() { Application->Terminate(); }

void TForm1::StopNow() { Application->Halt(); }
