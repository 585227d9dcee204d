#include "framework/system/ITunesBridge.h"
#include "common/OwnedHandle.h"
#include <objbase.h>
#include <oleauto.h>
#include <cstddef>

namespace {

// iTunes publishes no headers we may use, so its two automation interfaces are declared here
// as the vtables they are, with the slots this code calls at their published positions.
struct IITLibraryPlaylist;
struct IiTunes;

struct IUnknownSlots {
    void* QueryInterface;
    void* AddRef;
    ULONG(STDMETHODCALLTYPE* Release)(void* pThis);
};

struct IiTunesVtbl {
    IUnknownSlots unknown;                                          // 0-2
    void* dispatch[4];                                              // 3-6
    void* unused7to28[22];                                          // 7-28
    HRESULT(STDMETHODCALLTYPE* Quit)(IiTunes* pThis);                // 29
    void* unused30to60[31];                                         // 30-60
    HRESULT(STDMETHODCALLTYPE* get_LibraryPlaylist)(IiTunes* pThis,  // 61
                                                    IITLibraryPlaylist** ppPlaylist);
};
static_assert(offsetof(IiTunesVtbl, Quit) == 29 * sizeof(void*), "IiTunes::Quit is slot 29");
static_assert(offsetof(IiTunesVtbl, get_LibraryPlaylist) == 61 * sizeof(void*),
              "IiTunes::LibraryPlaylist is slot 61");

struct IITLibraryPlaylistVtbl {
    IUnknownSlots unknown;                                          // 0-2
    void* dispatch[4];                                              // 3-6
    void* unused7to29[23];                                          // 7-29
    HRESULT(STDMETHODCALLTYPE* AddFile)(IITLibraryPlaylist* pThis,   // 30
                                        BSTR path, IUnknown** ppStatus);
};
static_assert(offsetof(IITLibraryPlaylistVtbl, AddFile) == 30 * sizeof(void*),
              "IITLibraryPlaylist::AddFile is slot 30");

struct IiTunes {
    const IiTunesVtbl* lpVtbl;
};
struct IITLibraryPlaylist {
    const IITLibraryPlaylistVtbl* lpVtbl;
};

const CLSID kCLSID_iTunesApp = {0xDC0C2640, 0x1415, 0x4644, {0x87, 0x5C, 0x6F, 0x4D, 0x76, 0x98, 0x39, 0xBA}};
const IID kIID_IiTunes = {0x9DD6680B, 0x3EDC, 0x40DB, {0xA7, 0x71, 0xE6, 0xFE, 0x48, 0x32, 0xE3, 0x4A}};

bool KeyExists(HKEY hRoot, LPCWSTR pszPath)
{
    OwnedRegKey key;
    return RegOpenKeyExW(hRoot, pszPath, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

void AddOneFile(IITLibraryPlaylist* pPlaylist, const CString& path)
{
    BSTR bstrPath = SysAllocString(path);
    if (!bstrPath)
        return;
    IUnknown* pStatus = nullptr;
    if (SUCCEEDED(pPlaylist->lpVtbl->AddFile(pPlaylist, bstrPath, &pStatus)) && pStatus)
        pStatus->Release();
    SysFreeString(bstrPath);
}

// Runs with COM initialised; releases everything it obtained before returning.
int AddFilesThroughServer(const CStringArray& files, bool bQuitAfter)
{
    IiTunes* pApp = nullptr;
    HRESULT hr = CoCreateInstance(kCLSID_iTunesApp, nullptr, CLSCTX_LOCAL_SERVER, kIID_IiTunes,
                                  reinterpret_cast<void**>(&pApp));
    if (FAILED(hr) || !pApp)
        return -1;
    IITLibraryPlaylist* pPlaylist = nullptr;
    hr = pApp->lpVtbl->get_LibraryPlaylist(pApp, &pPlaylist);
    int nResult = -1;
    if (SUCCEEDED(hr) && pPlaylist) {
        for (int i = 0; i < files.GetSize(); i++)
            AddOneFile(pPlaylist, files[i]);
        pPlaylist->lpVtbl->unknown.Release(pPlaylist);
        nResult = 0;
    }
    if (bQuitAfter)
        pApp->lpVtbl->Quit(pApp);
    pApp->lpVtbl->unknown.Release(pApp);
    return nResult;
}

}  // namespace

bool IsITunesInstalled()
{
    static const wchar_t* const kKeys[] = {L"Software\\Apple Computer, Inc.\\iTunes",
                                           L"Software\\Apple, Inc.\\iTunes"};
    for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const wchar_t* pszKey : kKeys) {
            if (KeyExists(hRoot, pszKey))
                return true;
        }
    }
    return false;
}

HWND IsITunesRunning()
{
    return FindWindowW(L"iTunes", L"iTunes");
}

int AddFilesToITunes(const CStringArray& files, int nIgnored, BOOL bQuitWhenStartedHere)
{
    const bool bWasRunning = IsITunesRunning() != nullptr;
    // A thread already in the multithreaded apartment refuses CoInitialize but can still
    // create the object; only a successful CoInitialize of ours is undone.
    const bool bOwnInit = SUCCEEDED(CoInitialize(nullptr));
    const int nResult = AddFilesThroughServer(files, bQuitWhenStartedHere && !bWasRunning);
    if (bOwnInit)
        CoUninitialize();
    return nResult;
}
