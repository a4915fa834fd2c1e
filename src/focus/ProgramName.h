#pragma once
// The program a process of this machine runs, by its process id: the name of its executable,
// else (a process of another user's) the name the system keeps for it. Empty when the process
// is gone.
#include <string>

namespace focus {

std::string ProgramName(long pid);

}  // namespace focus
