// Command-line text for CreateProcessW, quoted so that the child's start-up code (the rules of
// CommandLineToArgvW) splits it back into the same arguments. The tools quote ffmpeg's and log
// their own arguments with it; the framework's CCommandLine wraps the host's arguments with
// WrapInQuotes.
#pragma once

#include <string>
#include <vector>

// The argument as it stands when it needs no quotes, else wrapped.
std::wstring QuoteArgument(const std::wstring& arg);
// The arguments quoted, one blank between them.
std::wstring JoinArguments(const std::vector<std::wstring>& args);
// Always wrapped in double quotes: inner quotes escaped, and backslashes doubled where a quote
// follows them (an inner one or the closing one).
std::wstring WrapInQuotes(const std::wstring& arg);
