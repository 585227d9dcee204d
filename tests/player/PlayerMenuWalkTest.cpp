// The player's menus as its user walks them: the real program, driven through
// tests/support/UiDriver. Every title of the menu bar opens by the keyboard (Alt+F, then Right
// from title to title) and by the mouse (a click on File, then the pointer along the bar), and
// every sub-menu opens by Right and by hovering its entry; with a clip playing, the context
// menus of the display window, of a playlist tile (by a right click and by the Apps key), of the
// bare playlist and of the control bar's items open with their sub-menus too. A menu counts as open when its items
// can be read; none begins or ends with a separator or has two in a row.
#include "tests/player/PlayerProgram.h"
#include <sstream>

namespace {

using namespace playerwalk;

const int kMenuBar = 59392;
const int kControlBar = 59397;
const int kSwitchView = 32837;
const wchar_t kFrame[] = L"class:KavriVideoPlayer";

struct MenuItem {
    int index = 0;
    std::string flags;  // P sub-menu, S separator, G grayed, C checked, - none
    int x = 0, y = 0;   // the centre, in the popup's client coordinates
    std::string text;   // its tab written as "\t"
    bool IsSubMenu() const { return flags.find('P') != std::string::npos; }
    bool IsSeparator() const { return flags.find('S') != std::string::npos; }
};

struct OpenMenu {
    std::wstring target;  // "hwnd:0x..." of its popup window
    std::vector<MenuItem> items;
    bool Has(const std::string& text) const
    {
        for (const MenuItem& item : items) {
            if (item.text == text)
                return true;
        }
        return false;
    }
    std::string First() const { return items.empty() ? "" : items[0].text; }
};

std::vector<OpenMenu> ParseMenus(const std::string& output)
{
    std::vector<OpenMenu> menus;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, 5, "MENU ") == 0) {
            std::string target = line.substr(5);
            menus.push_back({std::wstring(target.begin(), target.end()), {}});
            continue;
        }
        if (menus.empty() || line.empty())
            continue;
        std::istringstream fields(line);
        MenuItem item;
        fields >> item.index >> item.flags >> item.x >> item.y;
        std::getline(fields, item.text);
        if (!item.text.empty() && item.text[0] == ' ')
            item.text.erase(0, 1);
        menus.back().items.push_back(item);
    }
    return menus;
}

// What a user sees wrong in a menu: no items, or a separator at an end or doubled.
std::string Fault(const OpenMenu& menu)
{
    const std::vector<MenuItem>& items = menu.items;
    if (items.empty())
        return "no items";
    if (items.front().IsSeparator() || items.back().IsSeparator())
        return "a separator at its end, after \"" + items[items.size() > 1 ? items.size() - 2 : 0].text + "\"";
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].IsSeparator() && items[i - 1].IsSeparator())
            return "two separators in a row";
    }
    return "";
}

class PlayerMenuWalk : public PlayerProgram {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri menu walk"));
        // Long enough to play through the whole walk.
        ASSERT_TRUE(tooltest::MakeMedia(Clip(),
                                        L"-f lavfi -i testsrc2=duration=300:size=160x90:rate=10 -f lavfi "
                                        L"-i sine=frequency=440:duration=300 -c:v libx264 -pix_fmt "
                                        L"yuv420p -c:a aac -shortest -f mp4"));
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }
    static std::wstring Clip() { return *s_folder + L"\\Walk.mp4"; }

    // The open menus, the outermost first, once at least count are open (or what is open after
    // a generous wait).
    static std::vector<OpenMenu> Menus(size_t count)
    {
        std::string output;
        Drive({L"menus", kFrame, std::to_wstring(count), std::to_wstring(kTestWaitMs / 4)}, &output);
        return ParseMenus(output);
    }
    // Waits until exactly count menus are open.
    static bool MenusOpen(size_t count)
    {
        return WaitFor([&] { return Menus(count).size() == count; }, kTestWaitMs);
    }
    static bool Keys(const std::vector<std::wstring>& keys)
    {
        std::vector<std::wstring> args = {L"key", kFrame};
        args.insert(args.end(), keys.begin(), keys.end());
        return Drive(args);
    }
    static std::vector<std::wstring> Repeat(const wchar_t* key, int count)
    {
        return std::vector<std::wstring>(static_cast<size_t>(count), key);
    }
    // Closes every open menu and leaves the menu bar.
    static void CloseMenus()
    {
        for (int i = 0; i < 4 && !Menus(0).empty(); ++i)
            Keys({L"ESC"});
        Keys({L"ESC"});
        MenusOpen(0);
    }

    // The sub-menu entry is open on top of the menu and has items.
    static void ExpectSubMenuOpen(const OpenMenu& menu, const MenuItem& entry, const char* how)
    {
        SCOPED_TRACE(entry.text + " by " + how);
        std::vector<OpenMenu> menus = Menus(2);
        ASSERT_EQ(2u, menus.size()) << "the sub-menu did not stay open";
        EXPECT_EQ(menu.target, menus[0].target);
        EXPECT_EQ("", Fault(menus[1]));
    }
    // Opens every sub-menu of the one open menu by hovering its entry.
    static void HoverSubMenus(const OpenMenu& menu)
    {
        for (const MenuItem& item : menu.items) {
            if (!item.IsSubMenu())
                continue;
            ASSERT_TRUE(Drive({L"move", menu.target, std::to_wstring(item.x), std::to_wstring(item.y)}));
            ExpectSubMenuOpen(menu, item, "hovering");
        }
    }
    // Opens every sub-menu of the one open menu by Down to its entry and Right, and closes it
    // again by Escape; selected is the entry selected now (-1: none). Answers the entry
    // selected at the end.
    static int WalkSubMenusByKeys(const OpenMenu& menu, int selected)
    {
        for (const MenuItem& item : menu.items) {
            if (!item.IsSubMenu())
                continue;
            int downs = 0;
            for (int i = selected + 1; i <= item.index; ++i)
                downs += menu.items[static_cast<size_t>(i)].IsSeparator() ? 0 : 1;
            std::vector<std::wstring> keys = Repeat(L"DOWN", downs);
            keys.push_back(L"RIGHT");
            EXPECT_TRUE(Keys(keys));
            ExpectSubMenuOpen(menu, item, "Right");
            Keys({L"ESC"});
            EXPECT_TRUE(MenusOpen(1)) << "Escape closes the sub-menu only";
            selected = item.index;
        }
        return selected;
    }
    // The one menu open now, checked.
    static OpenMenu TheOpenMenu()
    {
        std::vector<OpenMenu> menus = Menus(1);
        EXPECT_EQ(1u, menus.size());
        OpenMenu menu = menus.empty() ? OpenMenu() : menus[0];
        EXPECT_EQ("", Fault(menu)) << "the menu beginning with \"" << menu.First() << "\"";
        return menu;
    }
    // Moves the pointer where no menu opens, so that it selects nothing.
    static void PointerAside() { Drive({L"move", kFrame, L"5", L"300"}); }

    static std::wstring* s_folder;
};

std::wstring* PlayerMenuWalk::s_folder = nullptr;

// The first entries of the menu bar's titles, in their order.
const std::vector<std::string> kTitleMenus = {"Open Files...\\tCtrl+O",  "Play\\tEnter",        "Play\\tCtrl+P",
                                              "Full Screen\\tAlt+Enter", "Kavri Media Fetcher", "Web Site"};

TEST_F(PlayerMenuWalk, EveryMenuOfTheBarAndItsSubMenusOpenByKeys)
{
    ASSERT_TRUE(Start());
    PointerAside();
    ASSERT_TRUE(Keys({L"ALT+F"}));
    for (size_t title = 0; title < kTitleMenus.size(); ++title) {
        SCOPED_TRACE(kTitleMenus[title]);
        ASSERT_TRUE(
            WaitFor([&] { return Menus(1).size() == 1 && Menus(1)[0].First() == kTitleMenus[title]; }, kTestWaitMs));
        OpenMenu menu = TheOpenMenu();
        // Opened from the keyboard: its first entry is selected.
        int selected = WalkSubMenusByKeys(menu, 0);
        // Right on a plain entry: the next title's menu.
        if (menu.items[static_cast<size_t>(selected)].IsSubMenu())
            Keys({L"DOWN"});
        Keys({L"RIGHT"});
    }
    ASSERT_TRUE(WaitFor([&] { return Menus(1).size() == 1 && Menus(1)[0].First() == kTitleMenus[0]; }, kTestWaitMs))
        << "Right after the last title comes back to File";
    CloseMenus();
}

TEST_F(PlayerMenuWalk, EveryMenuOfTheBarAndItsSubMenusOpenByTheMouse)
{
    ASSERT_TRUE(Start());
    const std::wstring bar = std::wstring(kFrame) + L"#" + std::to_wstring(kMenuBar);
    ASSERT_TRUE(Drive({L"click", bar, L"10", L"11"}));
    std::vector<std::string> seen;
    // The pointer goes along the bar; each title it reaches opens its menu.
    for (int x = 10; x < 600 && seen.size() < kTitleMenus.size(); x += 12) {
        ASSERT_TRUE(Drive({L"move", bar, std::to_wstring(x), L"11"}));
        std::vector<OpenMenu> menus = Menus(1);
        if (menus.empty() || (!seen.empty() && menus[0].First() == seen.back()))
            continue;
        // The menu may still be switching over: it is read once more when it has settled.
        Drive({L"sleep", L"300"});
        OpenMenu menu = TheOpenMenu();
        SCOPED_TRACE(menu.First());
        seen.push_back(menu.First());
        HoverSubMenus(menu);
    }
    EXPECT_EQ(kTitleMenus, seen);
    CloseMenus();
}

// While a clip plays the bar opens by Alt+F and by a click on File wherever it shows: in the
// docked layout, reached from the display pane alone (which goes without the bar), and in the
// one-pane layout's playlist pane.
TEST_F(PlayerMenuWalk, TheMenuBarOpensWhileAClipPlays)
{
    struct Layout {
        const char* name;
        int command;  // switches to it
    } layouts[] = {
        {"docked", kDockPlaylist},
        {"one pane, the playlist pane", kSwitchView},
    };
    const std::wstring bar = std::wstring(kFrame) + L"#" + std::to_wstring(kMenuBar);
    auto fileMenuOpen = [] { return Menus(1).size() == 1 && Menus(1)[0].First() == kTitleMenus[0]; };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        ASSERT_TRUE(Start({Clip()}));
        ASSERT_TRUE(WaitForTitle(L"Walk.mp4 - 1/1"));
        ASSERT_TRUE(WaitFor([&] { return Shown(kDisplayView) && !Shown(kPlaylistCtrl); }, kTestWaitMs));
        ASSERT_TRUE(Command(layout.command));
        ASSERT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl); }, kTestWaitMs));
        ASSERT_TRUE(WaitFor([&] { return Shown(kMenuBar); }, kTestWaitMs)) << "no menu bar";

        PointerAside();
        ASSERT_TRUE(Keys({L"ALT+F"}));
        EXPECT_TRUE(WaitFor(fileMenuOpen, kTestWaitMs)) << "Alt+F";
        CloseMenus();
        ASSERT_TRUE(Drive({L"click", bar, L"10", L"11"}));
        EXPECT_TRUE(WaitFor(fileMenuOpen, kTestWaitMs)) << "a click on File";
        CloseMenus();
        // The next layout starts as the first run did.
        ASSERT_TRUE(Exit());
        FreshProfile();
    }
}

TEST_F(PlayerMenuWalk, ContextMenusAndTheirSubMenusOpen)
{
    ASSERT_TRUE(Start({Clip()}));
    ASSERT_TRUE(WaitForTitle(L"Walk.mp4 - 1/1"));
    const std::wstring display = std::wstring(kFrame) + L"#" + std::to_wstring(kVideoDisplay);
    const std::wstring playlist = std::wstring(kFrame) + L"#" + std::to_wstring(kPlaylistCtrl);

    {
        SCOPED_TRACE("the display window");
        ASSERT_TRUE(Drive({L"rclick", display, L"40", L"40"}));
        OpenMenu menu = TheOpenMenu();
        EXPECT_TRUE(menu.Has("Stop\\tCtrl+S")) << menu.First();
        HoverSubMenus(menu);
        CloseMenus();
        ASSERT_TRUE(Drive({L"rclick", display, L"40", L"40"}));
        WalkSubMenusByKeys(TheOpenMenu(), -1);
        CloseMenus();
    }

    ASSERT_TRUE(Keys({L"F6"}));
    ASSERT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl); }, kTestWaitMs));
    {
        SCOPED_TRACE("a playlist tile, by a right click");
        ASSERT_TRUE(Drive({L"rclick", playlist, L"100", L"136"}));
        OpenMenu menu = TheOpenMenu();
        EXPECT_TRUE(menu.Has("Show in Folder")) << menu.First();
        HoverSubMenus(menu);
        CloseMenus();
    }
    {
        SCOPED_TRACE("a playlist tile, by the Apps key");
        ASSERT_TRUE(Keys({L"0x5D"}));
        OpenMenu menu = TheOpenMenu();
        EXPECT_TRUE(menu.Has("Show in Folder")) << menu.First();
        WalkSubMenusByKeys(menu, -1);
        CloseMenus();
    }
    {
        SCOPED_TRACE("the bare playlist");
        ASSERT_TRUE(Drive({L"rclick", playlist, L"600", L"400"}));
        OpenMenu menu = TheOpenMenu();
        EXPECT_TRUE(menu.Has("Add URLs...")) << menu.First();
        CloseMenus();
    }

    // The control bar's items, from the left and from the right end.
    const std::wstring controls = std::wstring(kFrame) + L"#" + std::to_wstring(kControlBar);
    std::string rect;
    ASSERT_TRUE(Drive({L"rect", controls}, &rect));
    int left = 0, top = 0, right = 0, bottom = 0;
    std::istringstream(rect) >> left >> top >> right >> bottom;
    int width = right - left;
    struct Item {
        const char* name;
        int x;
        const char* entry;  // an entry of its menu
    } items[] = {
        {"play button", 20, "Repeat Current Item"},         {"seek slider", 200, "Switch"},
        {"volume slider", width - 140, "Mute\\tF8"},        {"zoom button", width - 100, "Zoom"},
        {"switch button", width - 20, "Dock Playlist Bar"},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.name);
        ASSERT_TRUE(Drive({L"rclick", controls, std::to_wstring(item.x), L"20"}));
        OpenMenu menu = TheOpenMenu();
        EXPECT_TRUE(menu.Has(item.entry)) << menu.First();
        HoverSubMenus(menu);
        CloseMenus();
    }
}

}  // namespace
