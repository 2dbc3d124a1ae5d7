// The program's command line split into its arguments. Plain C++, no <windows.h>.
#pragma once
#include <string>
#include <vector>

namespace fw {

// Splits a command line the way the C runtime does (quotes group, backslashes literal).
std::vector<std::string> SplitCommandLine(const char* commandLine);

}  // namespace fw
