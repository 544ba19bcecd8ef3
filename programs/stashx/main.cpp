#include "Program.h"

int main() { return RunProgram(savecopy::ProfileX); }
