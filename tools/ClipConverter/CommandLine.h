// Command-line text for CreateProcessW, quoted so that the child's C runtime splits it back
// into the same arguments.
#pragma once

#include <string>
#include <vector>

std::wstring QuoteArgument(const std::wstring& arg);
std::wstring JoinArguments(const std::vector<std::wstring>& args);
