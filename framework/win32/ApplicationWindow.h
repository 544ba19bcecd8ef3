// The hidden application window that owns the forms and the dialogs and
// carries the taskbar button; made at first need.
#pragma once

#include <windows.h>

namespace win32ui {
HWND ApplicationWindow();
}
