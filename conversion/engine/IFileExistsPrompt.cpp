#include "conversion/engine/IFileExistsPrompt.h"

namespace {

IFileExistsPrompt* g_pPrompt = nullptr;

}  // namespace

void SetFileExistsPrompt(IFileExistsPrompt* pPrompt)
{
    g_pPrompt = pPrompt;
}

IFileExistsPrompt* GetFileExistsPrompt()
{
    return g_pPrompt;
}
