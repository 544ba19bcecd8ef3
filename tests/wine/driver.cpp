// Reads and drives the windows of another program under test, through
// window messages, as a user's clicks and keys would.
//
//   driver list                     every top-level window: handle, class,
//                                   visible, rectangle, caption in hex
//   driver wait CAPTIONHEX MS       waits for a visible top-level window with
//                                   that caption; prints its handle
//   driver text HWND ID             text of the control ID inside HWND, in hex
//   driver settext HWND ID HEX      sets that text
//   driver click HWND ID            presses the button ID
//   driver close HWND               closes the window
//   driver rect HWND                the window's rectangle: left top right bottom
//   driver start SHOW PROGRAM...    runs PROGRAM as a shortcut with that show
//                                   command would (1 normal, 3 maximized,
//                                   7 minimized without activation), waits
//                                   for it and exits with its exit code
//
// Texts go in and come out as hex, so Shift_JIS bytes are compared exactly.

#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::string& bytes) {
  std::string hex;
  char two[3];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
  return bytes;
}

HWND ParseHandle(const char* text) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 16)));
}

std::string TextOf(HWND window) {
  char buffer[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  if (search->found == nullptr || ClassOf(child) == "Edit") search->found = child;
  return TRUE;
}

// The control with this id inside `parent`; an Edit is preferred, since the
// save dialog's name box is an Edit inside a combo box of the same id.
HWND Control(HWND parent, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Fail(const char* what) {
  std::fprintf(stderr, "driver: %s\n", what);
  return 1;
}

int List() {
  for (HWND window : TopLevelWindows()) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%llx %s %d %ld %ld %ld %ld %s\n",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)),
                ClassOf(window).c_str(), IsWindowVisible(window) ? 1 : 0, r.left, r.top, r.right,
                r.bottom, Hex(TextOf(window)).c_str());
  }
  return 0;
}

int Wait(const std::string& caption, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    for (HWND window : TopLevelWindows()) {
      if (IsWindowVisible(window) && TextOf(window) == caption) {
        std::printf("%llx\n",
                    static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
        return 0;
      }
    }
    Sleep(100);
  } while (GetTickCount() - start < milliseconds);
  return Fail("no such window");
}

// Starts a program with a show command in its startup information, as the
// shell does for a shortcut set to run maximized or minimized.
int Start(int show, int argc, char** argv) {
  std::string commandLine;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += '"' + std::string(argv[i]) + '"';
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = static_cast<WORD>(show);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process))
    return Fail("cannot start the program");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "list") return List();
  if (command == "wait" && argc == 4) return Wait(FromHex(argv[2]), std::strtoul(argv[3], nullptr, 10));
  if (command == "start" && argc >= 4) return Start(std::atoi(argv[2]), argc - 3, argv + 3);
  if (argc < 3) return Fail("usage: see the source");
  HWND window = ParseHandle(argv[2]);
  if (command == "rect") {
    RECT r{};
    if (!GetWindowRect(window, &r)) return Fail("no window");
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : Fail("close");
  if (argc < 4) return Fail("usage: see the source");
  const int id = std::atoi(argv[3]);
  HWND control = Control(window, id);
  if (control == nullptr) return Fail("no such control");
  if (command == "text") {
    std::printf("%s\n", Hex(TextOf(control)).c_str());
    return 0;
  }
  if (command == "settext" && argc == 5) {
    const std::string text = FromHex(argv[4]);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
  }
  if (command == "click") {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control))
               ? 0
               : Fail("click");
  }
  return Fail("usage: see the source");
}
