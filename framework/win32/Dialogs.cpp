// The save dialog and the message box over the Windows API. Both are owned by
// the application window and placed on the primary screen by the framework,
// not where the system would put them.

#include "Dialogs.h"

#include <algorithm>
#include <cstring>

#include "Forms.h"
#include "Mbcs.h"
#include "Texts.h"

// After Forms.h: the system headers make SHIFTJIS_CHARSET a macro.
#include <windows.h>
#include <commdlg.h>

#include "ApplicationWindow.h"

namespace {

// The filter as the system wants it: every '|' a NUL, and a NUL pair at the
// end. A '|' byte that is the second byte of a double-byte character stays.
std::string SystemFilter(std::string_view filter) {
  std::string result(filter);
  for (size_t bar = mbcs::FindChar(result, '|'); bar != std::string::npos;
       bar = mbcs::FindChar(result, '|', bar + 1)) {
    result[bar] = '\0';
  }
  result.append(2, '\0');
  return result;
}

void MoveOnScreen(HWND window, int heightDivisor) {
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / heightDivisor;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// With OFN_EXPLORER the hook belongs to an empty child dialog; the dialog the
// user sees is its parent. It opens centred across, a third of the way down.
UINT_PTR CALLBACK SaveDialogHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notice->hdr.code == CDN_INITDONE) MoveOnScreen(GetParent(child), 3);
  }
  return 0;
}

// The message box being shown: the hook that dresses it, and whether it has
// been dressed (a later activation, after the user moved it, leaves it be).
thread_local HHOOK messageBoxHook = nullptr;
thread_local bool messageBoxDressed = false;

bool IsDialogWindow(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  return std::strcmp(className, "#32770") == 0;
}

LRESULT CALLBACK MessageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !messageBoxDressed) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    if (IsDialogWindow(box)) {
      messageBoxDressed = true;
      // The button labels are the framework's, whatever the system's language.
      SetDlgItemTextA(box, IDOK, std::string(texts::ButtonOk).c_str());
      SetDlgItemTextA(box, IDCANCEL, std::string(texts::ButtonCancel).c_str());
      MoveOnScreen(box, 2);
    }
  }
  return CallNextHookEx(messageBoxHook, code, wParam, lParam);
}

UINT IconFor(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return MB_ICONWARNING;
    case TMsgDlgType::mtError:
      return MB_ICONERROR;
    case TMsgDlgType::mtInformation:
      return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation:
      return MB_ICONQUESTION;
  }
  return 0;
}

}  // namespace

bool TSaveDialog::Execute() {
  const std::string filter = SystemFilter(Filter);

  // The proposed name, cut to fit with its NUL; a cut never splits a
  // double-byte character.
  char path[BufferSize] = {};
  std::string_view proposed(FileName);
  proposed = proposed.substr(0, std::min(proposed.size(), BufferSize - 1));
  if (mbcs::EndsInLoneLeadByte(proposed)) proposed.remove_suffix(1);
  std::copy(proposed.begin(), proposed.end(), path);

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = win32ui::ApplicationWindow();
  request.hInstance = GetModuleHandleA(nullptr);
  request.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
  request.lpstrFile = path;
  request.nMaxFile = static_cast<DWORD>(BufferSize);
  request.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  request.lpfnHook = SaveDialogHook;

  // Cancel, a failure and a chosen path too long for the buffer all answer
  // false.
  if (!GetSaveFileNameA(&request)) return false;
  FileName.assign(path, strnlen(path, BufferSize));
  return true;
}

int MessageDlg(std::string_view message, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  const std::string text(message);
  // Only the warning has a caption of the framework's; any other box carries
  // the application's title.
  const std::string caption =
      type == TMsgDlgType::mtWarning ? std::string(texts::Warning) : Application->Title();
  const UINT style = ((buttons & mbCancel) ? MB_OKCANCEL : MB_OK) | IconFor(type) | MB_DEFBUTTON1;

  HWND owner = win32ui::ApplicationWindow();
  if (owner == nullptr) owner = GetActiveWindow();

  messageBoxDressed = false;
  messageBoxHook = SetWindowsHookExA(WH_CBT, MessageBoxHook, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
  if (messageBoxHook != nullptr) UnhookWindowsHookEx(messageBoxHook);
  messageBoxHook = nullptr;

  return answer == IDOK ? mrOk : mrCancel;
}
