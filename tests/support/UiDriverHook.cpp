// UiDriverHook.dll: the part of UiDriver that runs inside the driven program. A menu lives in
// the process that made it, so UiDriver cannot read an open popup's items itself: it hooks the
// program's window thread (WH_CALLWNDPROC) with this DLL and sends the popup window the
// registered message kReadMenuMessage, wParam its own window. The hook answers with a
// WM_COPYDATA of one line per item:
//
//   <index> <flags> <x> <y> <text>
//
// flags: P opens a sub-menu, S separator, G grayed, C checked, - none of them; x y the item's
// centre in the popup's client coordinates; the text with its tab written as "\t".
#include <windows.h>
#include <string>

namespace {

const wchar_t kReadMenuMessage[] = L"KavriUiDriverReadMenu";

std::wstring ItemFlags(const MENUITEMINFOW& info)
{
    std::wstring flags;
    if (info.hSubMenu)
        flags += L'P';
    if (info.fType & MFT_SEPARATOR)
        flags += L'S';
    if (info.fState & MFS_GRAYED)
        flags += L'G';
    if (info.fState & MFS_CHECKED)
        flags += L'C';
    return flags.empty() ? L"-" : flags;
}

std::wstring ItemLine(HWND hPopup, HMENU hMenu, int index)
{
    wchar_t text[256] = {};
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    if (!GetMenuItemInfoW(hMenu, static_cast<UINT>(index), TRUE, &info))
        return L"";
    RECT rect = {};
    GetMenuItemRect(hPopup, hMenu, static_cast<UINT>(index), &rect);
    MapWindowPoints(nullptr, hPopup, reinterpret_cast<POINT*>(&rect), 2);
    std::wstring shown;
    for (const wchar_t* p = text; *p; ++p)
        shown += *p == L'\t' ? std::wstring(L"\\t") : std::wstring(1, *p);
    return std::to_wstring(index) + L" " + ItemFlags(info) + L" " + std::to_wstring((rect.left + rect.right) / 2) +
           L" " + std::to_wstring((rect.top + rect.bottom) / 2) + L" " + shown + L"\n";
}

std::wstring DescribePopup(HWND hPopup)
{
    HMENU hMenu = reinterpret_cast<HMENU>(SendMessageW(hPopup, MN_GETHMENU, 0, 0));
    std::wstring lines;
    int count = hMenu ? GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < count; ++i)
        lines += ItemLine(hPopup, hMenu, i);
    return lines;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK UiDriverMenuHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT readMenu = RegisterWindowMessageW(kReadMenuMessage);
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message && message->message == readMenu) {
        std::wstring lines = DescribePopup(message->hwnd);
        COPYDATASTRUCT data = {0, static_cast<DWORD>(lines.size() * sizeof(wchar_t)),
                               const_cast<wchar_t*>(lines.c_str())};
        SendMessageW(reinterpret_cast<HWND>(message->wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(message->hwnd),
                     reinterpret_cast<LPARAM>(&data));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
