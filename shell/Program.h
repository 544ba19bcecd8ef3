// The entry shared by both programs.
#pragma once

#include "Profile.h"

// Runs the program with its profile; the exit code is always 0.
int RunProgram(const savecopy::Profile& profile);
