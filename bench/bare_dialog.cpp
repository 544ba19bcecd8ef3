// The yardstick for the programs' start-up: a windowed program that does
// nothing but show the save dialog the programs show, with the same flags,
// filter, starting folder and a hook that places it the same way, and ends
// when the dialog closes.
//   bare_dialog FILENAME
// The dialog opens in qvfilex\ below the program's own folder (where the
// programs open it before anything is remembered) and proposes FILENAME.

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "Mbcs.h"
#include "Texts.h"

namespace {

UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  if (reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code != CDN_INITDONE) return 0;
  const HWND dialog = GetParent(child);
  RECT bounds;
  if (!GetWindowRect(dialog, &bounds)) return 0;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 3;
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder(exe);
  folder.resize(mbcs::LastDelimiter(folder, "\\:") + 1);
  const std::string initialDir = folder + "qvfilex\\";

  std::string filter(texts::FilterQvx);
  for (size_t bar = mbcs::FindChar(filter, '|'); bar != std::string::npos;
       bar = mbcs::FindChar(filter, '|', bar + 1))
    filter[bar] = '\0';
  filter.append(2, '\0');

  char path[260] = {};
  if (argc > 1) lstrcpynA(path, argv[1], sizeof path);

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hInstance = GetModuleHandleA(nullptr);
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path;
  request.nMaxFile = sizeof path;
  request.lpstrInitialDir = initialDir.c_str();
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  request.lpfnHook = Hook;
  GetSaveFileNameA(&request);
  return 0;
}
