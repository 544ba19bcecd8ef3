#include "Program.h"

#include "Forms.h"
#include "Unit1.h"

int RunProgram(const savecopy::Profile& profile) {
  Application->Initialize();
  Application->CreateForm(Form1, profile);
  Application->Run();
  return 0;
}
