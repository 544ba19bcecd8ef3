// Times a windowed program from its start to its save dialog being visible:
//   dialog_timer PROGRAM [ARG...]
// Starts PROGRAM, polls every couple of milliseconds for a visible top-level
// window of that process captioned 名前を付けて保存, prints the milliseconds
// since just before the start, then cancels the dialog and waits for the
// program to end. Exits 0 when the dialog showed and the program ended with
// exit code 0; 1 otherwise, with the reason on standard error.

#include <windows.h>

#include <cstdio>
#include <string>

#include "Texts.h"

namespace {

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  char caption[64] = {};
  const int length = GetWindowTextA(window, caption, sizeof caption);
  if (std::string(caption, length > 0 ? length : 0) != texts::SaveAsTitle) return TRUE;
  search->found = window;
  return FALSE;
}

int Fail(const char* what) {
  std::fprintf(stderr, "dialog_timer: %s\n", what);
  return 1;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: dialog_timer PROGRAM [ARG...]");
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += '"' + std::string(argv[i]) + '"';
  }

  constexpr DWORD kTimeoutMs = 30000;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return Fail("cannot start the program");

  Search search{process.dwProcessId, nullptr};
  for (;;) {
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found != nullptr) break;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
      return Fail("the program ended without a save dialog");
    if (Milliseconds(start, now, frequency) > kTimeoutMs) {
      TerminateProcess(process.hProcess, 1);
      return Fail("no save dialog in time");
    }
    Sleep(2);
  }
  std::printf("%.1f\n", Milliseconds(start, now, frequency));
  std::fflush(stdout);

  PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDCANCEL)));
  if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    return Fail("the program did not end after Cancel");
  }
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0 ? 0 : Fail("the program's exit code was not 0");
}
