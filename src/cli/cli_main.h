// The command line program, callable from tests.
#pragma once

#include <string>
#include <vector>

inline constexpr int kExitWritten = 0;
inline constexpr int kExitNotWritten = 1;
inline constexpr int kExitUsage = 2;

// arguments exclude the program name. Gives the exit status.
int RunCli(const std::vector<std::string>& arguments);
