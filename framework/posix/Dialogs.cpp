#include "Dialogs.h"

#include <iostream>

#include "Terminal.h"
#include "Texts.h"

bool TSaveDialog::Execute() {
  const terminal::SaveRequest request{Filter, FilterIndex, FileName, InitialDir, BufferSize};
  const auto path = terminal::AskSavePath(request, std::cin, std::cerr);
  if (!path) return false;
  FileName = *path;
  return true;
}

int MessageDlg(std::string_view message, TMsgDlgType, TMsgDlgButtons, int) {
  return terminal::AskOkCancel(texts::Warning, message, std::cin, std::cerr) ? mrOk : mrCancel;
}
