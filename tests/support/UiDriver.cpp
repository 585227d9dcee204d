// UiDriver: drives a program's windows from outside, as its user would, for scripts/screenshots
// and the end-to-end checks. One action per run; it prints what it finds and exits 0 when the
// action succeeded, 1 when not, 2 for a usage error.
//
//   UiDriver find TARGET                  prints the window handle
//   UiDriver wait TARGET [MS]             waits for the window to show (default 10000 ms)
//   UiDriver command TARGET ID            posts WM_COMMAND ID
//   UiDriver post TARGET MSG WPARAM LPARAM  posts any message (numbers, 0x... allowed)
//   UiDriver move TARGET X Y              moves the pointer (SendInput) to the client point
//   UiDriver click TARGET X Y             moves there, presses and releases the left button
//   UiDriver down TARGET X Y / up TARGET X Y
//   UiDriver rclick TARGET X Y            the same with the right button
//   UiDriver drag TARGET X0 Y0 X1 Y1 [STEPS] [HOLD]  presses, moves in steps, releases (HOLD: keeps it pressed)
//   UiDriver wheel TARGET X Y DELTA       a wheel turn at the point (120 = one notch away from the user)
//   UiDriver key TARGET KEY...            brings it to the front and types the keys (SendInput);
//                                         KEY is a name (ESC, LEFT, RIGHT, UP, DOWN, RETURN, SPACE,
//                                         ALT, CTRL, SHIFT, F1..F12, TAB), a letter, a digit, or
//                                         COMBO+COMBO (ALT+V: held together)
//   UiDriver postkey TARGET KEY...        posts WM_KEYDOWN/WM_KEYUP to the target thread's focus window
//   UiDriver text TARGET                  prints the window's text
//   UiDriver settext TARGET TEXT          sets the window's text (an edit field's, say)
//   UiDriver active TARGET [MS]           waits (default 10000 ms) until TARGET's top-level window
//                                         is the foreground window
//   UiDriver rect TARGET                  prints the window's rectangle on the screen
//   UiDriver state TARGET                 prints the target thread's focus, capture and active
//                                         windows as handle:control-id (or 0)
//   UiDriver menus TARGET [COUNT] [MS]    waits (default 10000 ms) until the target thread has at
//                                         least COUNT (default 1) popup menus open and prints
//                                         each, the outermost first: a line "MENU hwnd:0x1234",
//                                         then a line per item (see UiDriverHook.cpp)
//   UiDriver mark TEXT                    prints "MARK TEXT"
//   UiDriver sleep MS
//
// TARGET: a caption ("Kavri Video Player"), class:NAME (a top-level window class), either of
// them followed by #ID for the descendant with that control id (a visible one when there is
// one), or hwnd:0x1234.
#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <algorithm>
#include <string>
#include <vector>

namespace {

int Usage()
{
    fwprintf(stderr, L"usage: UiDriver ACTION [ARGS]; see the source's header for the actions\n");
    return 2;
}

long Number(const wchar_t* text)
{
    return static_cast<long>(wcstol(text, nullptr, 0));
}

struct FindChild {
    int nID;
    HWND hFound;
    HWND hHidden;  // the first hidden one, taken when no visible one has the id
};

BOOL CALLBACK FindChildProc(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindChild*>(lParam);
    if (GetDlgCtrlID(hWnd) != pFind->nID)
        return TRUE;
    if (!IsWindowVisible(hWnd)) {
        if (!pFind->hHidden)
            pFind->hHidden = hWnd;
        return TRUE;
    }
    pFind->hFound = hWnd;
    return FALSE;
}

struct FindTop {
    std::wstring caption;
    std::wstring className;
    HWND hFound;
};

BOOL CALLBACK FindTopProc(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindTop*>(lParam);
    wchar_t text[512] = {};
    if (!pFind->className.empty()) {
        GetClassNameW(hWnd, text, 512);
        if (pFind->className == text) {
            pFind->hFound = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    GetWindowTextW(hWnd, text, 512);
    if (pFind->caption == text && IsWindowVisible(hWnd)) {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTarget(const std::wstring& target)
{
    std::wstring top = target;
    int nID = -1;
    size_t hash = target.rfind(L'#');
    if (hash != std::wstring::npos && hash + 1 < target.size() && iswdigit(target[hash + 1])) {
        nID = static_cast<int>(Number(target.c_str() + hash + 1));
        top = target.substr(0, hash);
    }
    HWND hWnd = nullptr;
    if (top.rfind(L"hwnd:", 0) == 0) {
        hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(wcstoll(top.c_str() + 5, nullptr, 0)));
        if (!IsWindow(hWnd))
            hWnd = nullptr;
    } else {
        FindTop find = {L"", L"", nullptr};
        if (top.rfind(L"class:", 0) == 0)
            find.className = top.substr(6);
        else
            find.caption = top;
        EnumWindows(&FindTopProc, reinterpret_cast<LPARAM>(&find));
        hWnd = find.hFound;
    }
    if (hWnd && nID >= 0) {
        FindChild child = {nID, nullptr, nullptr};
        EnumChildWindows(hWnd, &FindChildProc, reinterpret_cast<LPARAM>(&child));
        hWnd = child.hFound ? child.hFound : child.hHidden;
    }
    return hWnd;
}

HWND Require(const wchar_t* target)
{
    HWND hWnd = FindTarget(target);
    if (!hWnd)
        fwprintf(stderr, L"UiDriver: no window \"%ls\"\n", target);
    return hWnd;
}

// Absolute mouse input to the screen point.
void SendMouse(POINT screen, DWORD flags, DWORD data = 0)
{
    int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    int x0 = GetSystemMetrics(SM_XVIRTUALSCREEN), y0 = GetSystemMetrics(SM_YVIRTUALSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(((screen.x - x0) * 65535LL + cx / 2) / std::max(1, cx - 1));
    input.mi.dy = static_cast<LONG>(((screen.y - y0) * 65535LL + cy / 2) / std::max(1, cy - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

POINT ClientPoint(HWND hWnd, const wchar_t* x, const wchar_t* y)
{
    POINT pt = {Number(x), Number(y)};
    ClientToScreen(hWnd, &pt);
    return pt;
}

WORD KeyOf(const std::wstring& name)
{
    struct Named { const wchar_t* name; WORD vk; } names[] = {
        {L"ESC", VK_ESCAPE}, {L"ESCAPE", VK_ESCAPE}, {L"LEFT", VK_LEFT}, {L"RIGHT", VK_RIGHT}, {L"UP", VK_UP},
        {L"DOWN", VK_DOWN}, {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN}, {L"SPACE", VK_SPACE}, {L"ALT", VK_MENU},
        {L"CTRL", VK_CONTROL}, {L"SHIFT", VK_SHIFT}, {L"TAB", VK_TAB}, {L"HOME", VK_HOME}, {L"END", VK_END},
        {L"DELETE", VK_DELETE}, {L"PGUP", VK_PRIOR}, {L"PGDN", VK_NEXT}};
    for (const Named& n : names) {
        if (_wcsicmp(n.name, name.c_str()) == 0)
            return n.vk;
    }
    if ((name[0] == L'F' || name[0] == L'f') && name.size() > 1 && iswdigit(name[1]))
        return static_cast<WORD>(VK_F1 + Number(name.c_str() + 1) - 1);
    if (name.size() == 1)
        return static_cast<WORD>(towupper(name[0]));
    if (name.rfind(L"0x", 0) == 0)
        return static_cast<WORD>(Number(name.c_str()));
    return 0;
}

std::vector<WORD> Combo(const std::wstring& text)
{
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
        size_t plus = text.find(L'+', start);
        std::wstring part = text.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        if (WORD vk = KeyOf(part))
            keys.push_back(vk);
        if (plus == std::wstring::npos)
            break;
        start = plus + 1;
    }
    return keys;
}

void SendKey(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_DELETE || vk == VK_HOME || vk == VK_END)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof(input));
    Sleep(40);
}

HWND FocusOf(HWND hWnd)
{
    GUITHREADINFO info = {sizeof(info)};
    DWORD thread = GetWindowThreadProcessId(hWnd, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
        return info.hwndFocus;
    return hWnd;
}

struct FindMenus {
    DWORD thread;
    std::vector<HWND> found;
};

BOOL CALLBACK FindMenusProc(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindMenus*>(lParam);
    wchar_t name[16] = {};
    GetClassNameW(hWnd, name, 16);
    if (wcscmp(name, L"#32768") == 0 && IsWindowVisible(hWnd) &&
        GetWindowThreadProcessId(hWnd, nullptr) == pFind->thread)
        pFind->found.insert(pFind->found.begin(), hWnd);
    return TRUE;
}

// The visible popup menus of a thread, the outermost (lowest) first.
std::vector<HWND> OpenMenus(DWORD thread)
{
    FindMenus find = {thread, {}};
    EnumWindows(&FindMenusProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::wstring g_menuLines;

LRESULT CALLBACK MenuReplyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_menuLines.assign(static_cast<const wchar_t*>(pData->lpData), pData->cbData / sizeof(wchar_t));
        return TRUE;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Reads the popup's items through UiDriverHook.dll, hooked into the popup's thread.
std::wstring ReadMenu(HWND hPopup)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll = path;
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"UiDriverHook.dll";
    HMODULE hDll = LoadLibraryW(dll.c_str());
    auto proc = hDll ? reinterpret_cast<HOOKPROC>(GetProcAddress(hDll, "UiDriverMenuHook")) : nullptr;
    if (!proc) {
        fwprintf(stderr, L"UiDriver: cannot load %ls\n", dll.c_str());
        return L"";
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MenuReplyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UiDriverMenuReply";
    RegisterClassW(&wc);
    HWND hReply = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
    HHOOK hHook = SetWindowsHookExW(WH_CALLWNDPROC, proc, hDll, GetWindowThreadProcessId(hPopup, nullptr));
    g_menuLines.clear();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hPopup, RegisterWindowMessageW(L"KavriUiDriverReadMenu"), reinterpret_cast<WPARAM>(hReply), 0,
                        SMTO_ABORTIFHUNG, 10000, &result);
    if (hHook)
        UnhookWindowsHookEx(hHook);
    DestroyWindow(hReply);
    return g_menuLines;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    std::wstring action = argv[1];
    auto arg = [&](int i) -> const wchar_t* { return i < argc ? argv[i] : L"0"; };

    if (action == L"mark") {
        std::wstring text;
        for (int i = 2; i < argc; ++i)
            text += (i > 2 ? L" " : L"") + std::wstring(argv[i]);
        wprintf(L"MARK %ls\n", text.c_str());
        return 0;
    }
    if (action == L"sleep") {
        Sleep(static_cast<DWORD>(Number(arg(2))));
        return 0;
    }
    if (argc < 3)
        return Usage();
    if (action == L"wait") {
        DWORD timeout = argc > 3 ? static_cast<DWORD>(Number(argv[3])) : 10000;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeout) {
            HWND hWnd = FindTarget(argv[2]);
            if (hWnd && IsWindowVisible(hWnd)) {
                wprintf(L"%p\n", static_cast<void*>(hWnd));
                return 0;
            }
            Sleep(100);
        }
        fwprintf(stderr, L"UiDriver: no window \"%ls\" after %lu ms\n", argv[2], timeout);
        return 1;
    }
    HWND hWnd = Require(argv[2]);
    if (!hWnd)
        return 1;
    if (action == L"find") {
        wprintf(L"%p\n", static_cast<void*>(hWnd));
        return 0;
    }
    if (action == L"command")
        return PostMessageW(hWnd, WM_COMMAND, static_cast<WPARAM>(Number(arg(3))), 0) ? 0 : 1;
    if (action == L"post")
        return PostMessageW(hWnd, static_cast<UINT>(Number(arg(3))), static_cast<WPARAM>(Number(arg(4))),
                            static_cast<LPARAM>(Number(arg(5))))
                   ? 0
                   : 1;
    if (action == L"settext") {
        LRESULT done = 0;
        SendMessageTimeoutW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(3)), SMTO_ABORTIFHUNG, 5000,
                            reinterpret_cast<PDWORD_PTR>(&done));
        return done ? 0 : 1;
    }
    if (action == L"text") {
        wchar_t text[2048] = {};
        SendMessageTimeoutW(hWnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
        wprintf(L"%ls\n", text);
        return 0;
    }
    if (action == L"state") {
        GUITHREADINFO info = {sizeof(info)};
        GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &info);
        auto show = [](HWND h) { return h ? GetDlgCtrlID(h) : 0; };
        wprintf(L"focus=%p:%d capture=%p:%d active=%p:%d\n", static_cast<void*>(info.hwndFocus), show(info.hwndFocus),
                static_cast<void*>(info.hwndCapture), show(info.hwndCapture), static_cast<void*>(info.hwndActive),
                show(info.hwndActive));
        return 0;
    }
    if (action == L"menus") {
        DWORD thread = GetWindowThreadProcessId(hWnd, nullptr);
        size_t count = argc > 3 ? static_cast<size_t>(Number(argv[3])) : 1;
        DWORD timeout = argc > 4 ? static_cast<DWORD>(Number(argv[4])) : 10000;
        DWORD start = GetTickCount();
        std::vector<HWND> menus = OpenMenus(thread);
        while (menus.size() < count && GetTickCount() - start < timeout) {
            Sleep(100);
            menus = OpenMenus(thread);
        }
        for (HWND hMenu : menus)
            wprintf(L"MENU hwnd:0x%p\n%ls", static_cast<void*>(hMenu), ReadMenu(hMenu).c_str());
        if (menus.size() < count)
            fwprintf(stderr, L"UiDriver: %u of %u menus open\n", static_cast<unsigned>(menus.size()),
                     static_cast<unsigned>(count));
        return menus.size() >= count ? 0 : 1;
    }
    if (action == L"active") {
        HWND hTop = GetAncestor(hWnd, GA_ROOT);
        DWORD timeout = argc > 3 ? static_cast<DWORD>(Number(argv[3])) : 10000;
        DWORD start = GetTickCount();
        while (GetForegroundWindow() != hTop && GetTickCount() - start < timeout)
            Sleep(100);
        if (GetForegroundWindow() == hTop)
            return 0;
        fwprintf(stderr, L"UiDriver: \"%ls\" is not the foreground window\n", argv[2]);
        return 1;
    }
    if (action == L"rect") {
        RECT rect;
        GetWindowRect(hWnd, &rect);
        wprintf(L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (action == L"rclick") {
        POINT pt = ClientPoint(hWnd, arg(3), arg(4));
        SendMouse(pt, 0);
        SendMouse(pt, MOUSEEVENTF_RIGHTDOWN);
        SendMouse(pt, MOUSEEVENTF_RIGHTUP);
        return 0;
    }
    if (action == L"move" || action == L"click" || action == L"down" || action == L"up") {
        POINT pt = ClientPoint(hWnd, arg(3), arg(4));
        SendMouse(pt, 0);
        if (action == L"click" || action == L"down")
            SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
        if (action == L"click" || action == L"up")
            SendMouse(pt, MOUSEEVENTF_LEFTUP);
        return 0;
    }
    if (action == L"drag") {
        POINT from = ClientPoint(hWnd, arg(3), arg(4));
        POINT to = ClientPoint(hWnd, arg(5), arg(6));
        int steps = argc > 7 ? std::max(1L, Number(argv[7])) : 10;
        bool bHold = argc > 8 && Number(argv[8]) != 0;
        SendMouse(from, 0);
        SendMouse(from, MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= steps; ++i) {
            POINT pt = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
            SendMouse(pt, 0);
        }
        if (!bHold)
            SendMouse(to, MOUSEEVENTF_LEFTUP);
        return 0;
    }
    if (action == L"wheel") {
        POINT pt = ClientPoint(hWnd, arg(3), arg(4));
        SendMouse(pt, 0);
        SendMouse(pt, MOUSEEVENTF_WHEEL, static_cast<DWORD>(Number(arg(5))));
        return 0;
    }
    if (action == L"key" || action == L"postkey") {
        HWND hTop = GetAncestor(hWnd, GA_ROOT);
        if (action == L"key") {
            SetForegroundWindow(hTop);
            Sleep(50);
        }
        for (int i = 3; i < argc; ++i) {
            std::vector<WORD> keys = Combo(argv[i]);
            if (keys.empty()) {
                fwprintf(stderr, L"UiDriver: unknown key \"%ls\"\n", argv[i]);
                return 2;
            }
            if (action == L"key") {
                for (WORD vk : keys)
                    SendKey(vk, false);
                for (auto it = keys.rbegin(); it != keys.rend(); ++it)
                    SendKey(*it, true);
            } else {
                HWND hFocus = FocusOf(hWnd);
                for (WORD vk : keys)
                    PostMessageW(hFocus, WM_KEYDOWN, vk, 1);
                for (auto it = keys.rbegin(); it != keys.rend(); ++it)
                    PostMessageW(hFocus, WM_KEYUP, *it, 0xC0000001);
                Sleep(40);
            }
        }
        return 0;
    }
    return Usage();
}
