// Files of the image library, named by wide-character paths on every platform.
#pragma once
#include <cstdio>

FILE* OpenImageFile(const wchar_t* path, const char* mode);
// Moves a finished file over the target, replacing it as one step.
bool ReplaceImageFile(const wchar_t* from, const wchar_t* to);
void RemoveImageFile(const wchar_t* path);
