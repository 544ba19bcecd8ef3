// The application object and the form over the Windows API.
//
// As in the framework the programs were first written for, a hidden top-level
// window of the application's own owns every form and dialog and carries the
// taskbar button; it is captioned with the application's title and appears
// only when the message loop starts. Texts are passed to the "A" functions as
// the code-page bytes they are.

#include "Forms.h"

#include <cstdlib>

#include "SysUtils.h"

// After Forms.h: the system headers make SHIFTJIS_CHARSET a macro.
#include <windows.h>

#include "ApplicationWindow.h"

// The window of a form, with what the window draws with.
struct TForm::Window {
  HWND handle = nullptr;
  HFONT font = nullptr;
  HBRUSH background = nullptr;
  bool ownsBackground = false;
};

namespace {

constexpr char ApplicationClassName[] = "StashApplication";
constexpr char FormClassName[] = "StashForm";

TApplication theApplication;

HWND applicationWindow = nullptr;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// A colour whose top byte is 0xFF names a system colour by its index.
bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == 0xFF000000u; }

HBRUSH BrushFor(TColor color, bool& owned) {
  owned = !IsSystemColor(color);
  if (!owned) return GetSysColorBrush(static_cast<int>(color & 0xFFu));
  return CreateSolidBrush(static_cast<COLORREF>(color & 0x00FFFFFFu));
}

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      // Closing the taskbar button closes the main form, which ends the run.
      TForm* mainForm = Application->MainForm();
      if (mainForm != nullptr && mainForm->Handle() != nullptr) {
        PostMessageA(mainForm->Handle()->handle, WM_CLOSE, 0, 0);
      } else {
        PostQuitMessage(0);
      }
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

namespace {

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const bool isMainForm = form != nullptr && form == Application->MainForm();

  switch (message) {
    case WM_ERASEBKGND:
      if (form != nullptr && form->Handle() != nullptr &&
          form->Handle()->background != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, form->Handle()->background);
        return 1;
      }
      break;
    case WM_CLOSE:
      // The main form's window lives as long as the form; closing it ends the
      // run. Any other form is only hidden.
      if (isMainForm) {
        PostQuitMessage(0);
      } else {
        ShowWindow(window, SW_HIDE);
      }
      return 0;
    case WM_DESTROY:
      if (isMainForm) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;

  WNDCLASSA application{};
  application.lpfnWndProc = ApplicationProc;
  application.hInstance = Instance();
  application.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  application.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  application.lpszClassName = ApplicationClassName;
  RegisterClassA(&application);

  WNDCLASSA form{};
  form.style = CS_DBLCLKS;
  form.lpfnWndProc = FormProc;
  form.hInstance = Instance();
  form.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  form.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  form.lpszClassName = FormClassName;  // the background is the form's own colour
  RegisterClassA(&form);
}

}  // namespace

namespace win32ui {

// The application window, made at first need: zero-sized at the centre of
// the screen and hidden until the message loop starts.
HWND ApplicationWindow() {
  if (applicationWindow == nullptr) {
    RegisterClasses();
    const std::string title = Application->Title();
    applicationWindow = CreateWindowExA(
        0, ApplicationClassName, title.c_str(),
        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
        GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
        nullptr, Instance(), nullptr);
  }
  return applicationWindow;
}

}  // namespace win32ui

TApplication* Application = &theApplication;

TForm::TForm() = default;

TForm::~TForm() {
  if (!window_) return;
  if (window_->handle != nullptr) DestroyWindow(window_->handle);
  if (window_->font != nullptr) DeleteObject(window_->font);
  if (window_->ownsBackground) DeleteObject(window_->background);
}

void TForm::CreateWindowNow() {
  const HWND owner = win32ui::ApplicationWindow();
  auto window = std::make_unique<Window>();
  window->background = BrushFor(color_, window->ownsBackground);
  window->font = CreateFontA(font_.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             font_.Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "");
  window_ = std::move(window);
  // The window procedure finds the form (and its background) from the first
  // message on, so the window is made after window_ holds its resources.
  window_->handle = CreateWindowExA(0, FormClassName, caption_.c_str(),
                                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left_, top_, width_,
                                    height_, owner, nullptr, Instance(), this);
}

void TForm::ShowNow(int showCommand) {
  if (window_ && window_->handle != nullptr) ShowWindow(window_->handle, showCommand);
  visible_ = true;
}

void TForm::SyncWindow() {
  if (!window_ || window_->handle == nullptr) return;
  SetWindowPos(window_->handle, nullptr, left_, top_, width_, height_,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(window_->handle, caption_.c_str());
}

TApplication::TApplication() = default;

TApplication::~TApplication() {
  mainForm_ = nullptr;
  forms_.clear();
  if (applicationWindow != nullptr) {
    DestroyWindow(applicationWindow);
    applicationWindow = nullptr;
  }
}

void TApplication::Initialize() { win32ui::ApplicationWindow(); }

void TApplication::Run() {
  const HWND application = win32ui::ApplicationWindow();

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int request = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;

  switch (request) {
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      // A run asked to start minimized is only its taskbar button.
      ShowWindow(application, request);
      break;
    default:
      // Shown without ShowWindow, whose first call in a process may take the
      // start request for itself and blow the zero-sized window up.
      SetWindowPos(application, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      if (mainForm_ != nullptr) {
        const bool maximized = request == SW_SHOWMAXIMIZED || request == SW_MAXIMIZE;
        mainForm_->ShowNow(maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
      }
      break;
  }

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Halt() { std::exit(0); }

std::string TApplication::ExeName() const {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
}

void TApplication::ShowException(const Exception& failure) {
  const std::string text = ErrorBoxText(failure.Message());
  const std::string caption = Title();
  // A run that is ending has its quit message posted before the failure is
  // shown, and the box's own message loop would close the box at once on
  // meeting it. The quit message is held back while the box is up and posted
  // again for the application's loop.
  MSG quit;
  const bool quitPending = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  MessageBoxA(win32ui::ApplicationWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
  if (quitPending) PostQuitMessage(static_cast<int>(quit.wParam));
}
