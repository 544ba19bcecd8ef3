// The dialogs of the POSIX backend, in a terminal.
//
// The programs' texts are Shift_JIS; the terminal speaks UTF-8. What is shown
// is converted (a byte with no UTF-8 form is shown as \xNN), and what is typed
// is converted back. The dialogs read one line at a time, a trailing CR or LF
// dropped; the end of input is the answer of closing the dialog.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace terminal {

std::string ToUtf8(std::string_view sjis);
std::optional<std::string> ToShiftJis(std::string_view utf8);

struct SaveRequest {
  std::string_view filter;  // "caption|pattern|..."
  int filterIndex;          // from 1
  std::string_view fileName;
  std::string_view initialDir;
  std::size_t bufferSize;  // the chosen path and its NUL must fit
};

// The save dialog. An empty line takes the proposed name in the starting
// folder, a line that starts with "/" is the full path, any other line is a
// name in the starting folder. Nothing when cancelled or when the path does
// not fit the buffer.
std::optional<std::string> AskSavePath(const SaveRequest& request, std::istream& in,
                                       std::ostream& out);

// A box with OK and Cancel: an empty line or "OK" in any case answers OK.
bool AskOkCancel(std::string_view caption, std::string_view message, std::istream& in,
                 std::ostream& out);

// A box with OK alone.
void ShowMessage(std::string_view caption, std::string_view message, std::istream& in,
                 std::ostream& out);

}  // namespace terminal
