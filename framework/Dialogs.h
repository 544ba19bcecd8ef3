// The save dialog and the message box of the framework.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TForm;

// The standard save dialog. The filter is "caption|pattern|caption|pattern";
// FilterIndex counts its pairs from 1. The dialog proposes no extension of its
// own and does not ask before replacing a file.
class TSaveDialog {
 public:
  explicit TSaveDialog(TForm* owner) : owner_(owner) {}

  std::string Filter;
  int FilterIndex = 1;
  std::string FileName;    // the proposed name before, the chosen full path after
  std::string InitialDir;  // where the dialog opens

  // The full path and its terminating NUL must fit this many bytes.
  static constexpr std::size_t BufferSize = 260;

  // Shows the dialog modally; true when a path was chosen. A dialog that
  // cannot be shown, or whose path does not fit the buffer, answers false.
  bool Execute();

 private:
  TForm* owner_;
};

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

using TMsgDlgButtons = unsigned;
inline constexpr TMsgDlgButtons mbOK = 0x1;
inline constexpr TMsgDlgButtons mbCancel = 0x2;

inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A modal message box centred on the screen. For mtWarning it is captioned
// 警告 with the warning icon; buttons OK and キャンセル. Answers mrOk or
// mrCancel (Esc and closing the box count as Cancel).
int MessageDlg(std::string_view message, TMsgDlgType type, TMsgDlgButtons buttons,
               int helpContext);
