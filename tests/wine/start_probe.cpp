// A program on the framework that does what the save-copy programs do around
// their job: its main form moves out of sight and asks to quit while it is
// created, then the message loop runs. Once the loop has ended it reports how
// its windows were left, so a test can start it as a shortcut would (normal,
// maximized, minimized) and see what the application made of the request:
//
//   form=VISIBLE ZOOMED ICONIC application=VISIBLE ICONIC
//
// each as 0 or 1.

#include "Forms.h"

#include <cstdio>
#include <string>

// After Forms.h: the system headers make SHIFTJIS_CHARSET a macro.
#include <windows.h>

namespace {

class ProbeForm : public TForm {
 public:
  ProbeForm() {
    SetCaption("Probe");
    SetWidth(125);
    SetHeight(93);
  }

 protected:
  void DoCreate() override {
    SetTop(-100);
    SetLeft(-150);
    Application->Terminate();
  }
};

struct Found {
  HWND form = nullptr;
  HWND application = nullptr;
};

BOOL CALLBACK Sort(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "StashForm") found->form = window;
  if (std::string(name) == "StashApplication") found->application = window;
  return TRUE;
}

int Bit(BOOL value) { return value ? 1 : 0; }

}  // namespace

int main() {
  Application->Initialize();
  ProbeForm* form = nullptr;
  Application->CreateForm(form);
  Application->Run();

  Found found;
  EnumThreadWindows(GetCurrentThreadId(), Sort, reinterpret_cast<LPARAM>(&found));
  if (found.form == nullptr || found.application == nullptr) {
    std::printf("windows not found\n");
    return 1;
  }
  std::printf("form=%d %d %d application=%d %d\n", Bit(IsWindowVisible(found.form)),
              Bit(IsZoomed(found.form)), Bit(IsIconic(found.form)),
              Bit(IsWindowVisible(found.application)), Bit(IsIconic(found.application)));
  std::fflush(stdout);
  return 0;
}
