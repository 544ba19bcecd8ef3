#include "Program.h"

int main() { return RunProgram(savecopy::ProfileP); }
