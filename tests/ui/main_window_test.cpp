// The real main window, built by the program's own code and driven through messages and real
// keyboard input.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "support/main_window_fixture.h"
#include "support/screen.h"
#include "ui/gbk.h"

namespace {

// Written out here, independent of the program's own control table.
struct ExpectedControl {
    int id;
    int parent;  // 0: the window
    const wchar_t* windowClass;
    int x, y, width, height;
};

constexpr ExpectedControl expectedControls[] = {
    {1, 14, L"FormationLabel", 65, 25, 400, 63},  // 透明标签3
    {2, 0, L"Button", 200, 400, 144, 80},         // 按钮4
    {3, 0, L"Button", 344, 400, 144, 80},         // 按钮3
    {4, 16, L"Button", 57, 79, 144, 80},          // 按钮2
    {5, 13, L"FormationLabel", 281, 62, 88, 32},  // 元素3
    {6, 13, L"FormationLabel", 353, 14, 72, 24},  // 元素2
    {7, 13, L"FormationLabel", 183, 14, 72, 24},  // 元素1
    {8, 13, L"FormationLabel", 265, 14, 98, 24},  // 透明标签2
    {9, 13, L"FormationLabel", 95, 14, 98, 24},   // 透明标签1
    {10, 14, L"Button", 337, 96, 128, 65},        // 按钮1
    {11, 0, L"ComboBox", 187, 227, 116, 160},     // 种类
    {12, 14, L"ComboBox", 188, 96, 116, 160},     // 等级
    {13, 0, L"FormationPictureBox", -1, 266, 540, 120},
    {14, 0, L"FormationPictureBox", -1, 88, 540, 178},
    {15, 0, L"FormationPictureBox", -1, 0, 540, 88},
    {16, 0, L"FormationPictureBox", -1, 321, 540, 214},
};

class MainWindowTest : public MainWindowFixture {
  protected:
    HWND control(int id) const { return controlOf(window, static_cast<ControlId>(id)); }

    std::wstring textOf(int id) const {
        wchar_t text[512] = {};
        GetWindowTextW(control(id), text, 512);
        return text;
    }

    std::string gbkTextOf(int id) const { return toGbk(textOf(id)); }

    std::wstring selectedItem(int id) const {
        const LRESULT selected = SendMessageW(control(id), CB_GETCURSEL, 0, 0);
        if (selected == CB_ERR) return L"";
        wchar_t item[64] = {};
        SendMessageW(control(id), CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(item));
        return item;
    }

    void choose(int list, int item) { SendMessageW(control(list), CB_SETCURSEL, item, 0); }

    void clickQuery() {
        SendMessageW(control(10), BM_CLICK, 0, 0);
        pumpMessages(window);
    }

    std::vector<int> childIdsInStackingOrder(HWND parent) const {
        std::vector<int> ids;
        for (HWND child = GetWindow(parent, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            ids.push_back(GetDlgCtrlID(child));
        }
        return ids;
    }
};

TEST_F(MainWindowTest, EveryControlHasItsPlaceParentIdAndClass) {
    for (const ExpectedControl& expected : expectedControls) {
        SCOPED_TRACE(expected.id);
        HWND child = control(expected.id);
        ASSERT_TRUE(IsWindow(child));
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        HWND parent = expected.parent ? control(expected.parent) : window;
        EXPECT_EQ(GetParent(child), parent);
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        EXPECT_EQ(_wcsicmp(className, expected.windowClass), 0) << toGbk(className);
        RECT place = screenRectOf(child);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.x);
        EXPECT_EQ(place.top, expected.y);
        EXPECT_EQ(place.right - place.left, expected.width);
        if (expected.id != 11 && expected.id != 12) {  // a closed list is only its field
            EXPECT_EQ(place.bottom - place.top, expected.height);
        }
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        EXPECT_TRUE(style & WS_CLIPSIBLINGS);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_TRUE(IsWindowEnabled(child));
    }
}

TEST_F(MainWindowTest, ListsOpenToOneHundredSixtyPixels) {
    for (int id : {11, 12}) {
        SendMessageW(control(id), CB_SHOWDROPDOWN, TRUE, 0);
        pumpMessages(window);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(control(id), &info));
        const RECT field = screenRectOf(control(id));
        const RECT list = screenRectOf(info.hwndList);
        RECT listClient{};
        GetClientRect(info.hwndList, &listClient);
        const auto itemHeight = SendMessageW(control(id), CB_GETITEMHEIGHT, 0, 0);
        const auto items = SendMessageW(control(id), CB_GETCOUNT, 0, 0);
        SendMessageW(control(id), CB_SHOWDROPDOWN, FALSE, 0);
        pumpMessages(window);

        EXPECT_GE(list.top, field.bottom - 1);
        // Windows makes field and list exactly 160 high; Wine's list stops a few pixels short.
        EXPECT_LE(list.bottom - field.top, 160) << id;
        EXPECT_GE(list.bottom - field.top, 150) << id;
        // The kinds fit without scrolling; the levels do not, and scroll.
        EXPECT_EQ(listClient.bottom >= items * itemHeight, id == 11) << id;
    }
}

TEST_F(MainWindowTest, ControlsStackInTableOrderWithinEachParent) {
    EXPECT_EQ(childIdsInStackingOrder(window), (std::vector<int>{2, 3, 11, 13, 14, 15, 16}));
    EXPECT_EQ(childIdsInStackingOrder(control(14)), (std::vector<int>{1, 10, 12}));
    EXPECT_EQ(childIdsInStackingOrder(control(13)), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(childIdsInStackingOrder(control(16)), (std::vector<int>{4}));
    EXPECT_TRUE(childIdsInStackingOrder(control(15)).empty());
}

TEST_F(MainWindowTest, FixedFrameWithCloseBoxOnlyCentredOnTheScreen) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));

    const RECT place = screenRectOf(window);
    EXPECT_EQ(place.right - place.left, 540);
    EXPECT_EQ(place.bottom - place.top, 562);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 540) / 2);
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 562) / 2);

    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    EXPECT_STREQ(title, L"雁丘城邦打野布阵查询 www.example.com");
}

TEST_F(MainWindowTest, CarriesTheProgramIconLargeAndSmall) {
    const auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    const auto large = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(large, &info));
    BITMAP color{};
    GetObjectW(info.hbmColor, sizeof(color), &color);
    EXPECT_EQ(color.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(MainWindowTest, StartsWithTheFirstItemsTheFirstRowAndFocusOnTheLevelList) {
    EXPECT_EQ(selectedItem(11), L"暗风猎手");
    EXPECT_EQ(selectedItem(12), L"10");
    EXPECT_EQ(textOf(7), L"240");
    EXPECT_EQ(textOf(6), L"弓弓魔炮");
    EXPECT_EQ(textOf(5), L"炮魔弓步");
    EXPECT_EQ(textOf(9), L"敌方总兵数：");
    EXPECT_EQ(textOf(8), L"敌方阵形为:");
    EXPECT_EQ(textOf(1),
              L"雁丘城邦野怪天天要打，但是如何才能损失最小？雁丘城邦野怪布阵兵力查询器"
              L"帮你一键选择阵容。  www.example.com");
    EXPECT_EQ(textOf(4), L"更多辅助工具");
    EXPECT_EQ(textOf(2), L"游戏攻略");
    EXPECT_EQ(textOf(3), L"官方论坛");
    EXPECT_EQ(textOf(10), L"按钮");
    EXPECT_EQ(GetFocus(), control(12));

    const wchar_t* kinds[] = {L"暗风猎手", L"邪月蛮兵", L"恶雷炮手", L"黑雾巫妖"};
    ASSERT_EQ(SendMessageW(control(11), CB_GETCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        wchar_t item[32] = {};
        SendMessageW(control(11), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, kinds[i]);
    }
    ASSERT_EQ(SendMessageW(control(12), CB_GETCOUNT, 0, 0), 11);
    for (int i = 0; i < 11; ++i) {
        wchar_t item[32] = {};
        SendMessageW(control(12), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(item), std::to_wstring(10 * (i + 1)));
    }
}

TEST_F(MainWindowTest, QueryShowsTheRowByteForByte) {
    struct Case {
        int kind;
        int level;
        std::string troops, enemy, suggested;
    };
    const Case cases[] = {
        {3, 10, "96120", "\xb2\xbd\xc5\xda\xc4\xa7\xc4\xa7", "\xc4\xa7\x9a\x69\xb9\xad\xc5\xda"},
        {2, 9, "81680", "\xc5\xda\xc5\xda\xb2\xbd\xb9\xad", "\x9a\x69\xc5\xda\xc4\xa7\xb9\xad"},
        {1, 4, "19600", "\xb2\xbd\xb2\xbd\xc4\xa7\xc5\xda", "\xc4\xa7\xb2\xbd\xb9\xad\xc5\xda"},
        {0, 0, "240", "\xb9\xad\xb9\xad\xc4\xa7\xc5\xda", "\xc5\xda\xc4\xa7\xb9\xad\xb2\xbd"},
    };
    for (const Case& c : cases) {
        choose(11, c.kind);
        choose(12, c.level);
        clickQuery();
        EXPECT_EQ(gbkTextOf(7), c.troops);
        EXPECT_EQ(gbkTextOf(6), c.enemy);
        EXPECT_EQ(gbkTextOf(5), c.suggested);
    }
}

TEST_F(MainWindowTest, QueryWithoutASelectionLeavesTheLabelsAlone) {
    choose(11, 3);
    choose(12, 3);
    clickQuery();
    choose(11, -1);
    clickQuery();
    EXPECT_EQ(textOf(7), L"12400");
    EXPECT_EQ(textOf(6), L"炮魔步魔");
    EXPECT_EQ(textOf(5), L"步弓魔炮");
}

TEST_F(MainWindowTest, TabAndShiftTabFollowTheFocusOrderAndWrap) {
    const int forward[] = {11, 10, 4, 3, 2, 12, 11};
    for (int id : forward) {
        pressKey(window, VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
    }
    const int backward[] = {12, 2, 3, 4, 10, 11, 12, 2};
    for (int id : backward) {
        pressKey(window, VK_TAB, true);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
    }
}

TEST_F(MainWindowTest, EnterDoesNothingAndSpaceClicksTheFocusedButton) {
    choose(11, 1);
    choose(12, 4);  // 邪月蛮兵 50
    SetFocus(control(10));
    pressKey(window, VK_RETURN);
    EXPECT_EQ(textOf(7), L"240");
    EXPECT_EQ(GetFocus(), control(10));

    pressKey(window, VK_SPACE);
    EXPECT_EQ(textOf(7), L"19600");

    SetFocus(control(12));
    pressKey(window, VK_RETURN);
    EXPECT_EQ(GetFocus(), control(12));
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAnyControl) {
    SetFocus(control(3));
    pressKey(window, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, EscClosesTheWindowWithTheListOpen) {
    SendMessageW(control(12), CB_SHOWDROPDOWN, TRUE, 0);
    pumpMessages(window);
    ASSERT_TRUE(SendMessageW(control(12), CB_GETDROPPEDSTATE, 0, 0));
    pressKey(window, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, LabelsAndListsUseTheirFontsAndColours) {
    struct Expected {
        int id;
        const wchar_t* face;  // null: the platform's default face
        int height;
        int weight;
        std::uint32_t color;
    };
    const Expected expected[] = {
        {1, L"楷体", -19, 400, rgb(255, 255, 0)},    {9, nullptr, -14, 700, rgb(216, 216, 0)},
        {8, nullptr, -14, 700, rgb(216, 216, 0)},    {7, nullptr, -14, 700, rgb(255, 255, 255)},
        {6, nullptr, -14, 700, rgb(255, 255, 255)},  {5, nullptr, -20, 700, rgb(255, 255, 255)},
        {11, nullptr, -19, 700, rgb(255, 255, 255)}, {12, nullptr, -19, 700, rgb(255, 255, 255)},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control(e.id), WM_GETFONT, 0, 0));
        LOGFONTW logFont{};
        ASSERT_TRUE(GetObjectW(font, sizeof(logFont), &logFont));
        EXPECT_EQ(logFont.lfHeight, e.height);
        EXPECT_EQ(logFont.lfWeight, e.weight);
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
        EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(logFont.lfQuality, PROOF_QUALITY);
        EXPECT_STREQ(logFont.lfFaceName, e.face ? e.face : L"");
        if (e.face) {  // the face is really there (the test prefix maps it to a Kai font)
            HDC dc = GetDC(nullptr);
            HGDIOBJ previous = SelectObject(dc, font);
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            SelectObject(dc, previous);
            ReleaseDC(nullptr, dc);
            EXPECT_STREQ(face, e.face);
        }
        // The text is drawn in its colour.
        const Capture shown = captureScreen(screenRectOf(control(e.id)));
        EXPECT_NE(std::find(shown.pixels.begin(), shown.pixels.end(), e.color), shown.pixels.end());
    }
}

TEST_F(MainWindowTest, ListsAreDarkWithItemsTwoPixelsTallerThanTheirFont) {
    for (int id : {11, 12}) {
        SCOPED_TRACE(id);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control(id), WM_GETFONT, 0, 0));
        HDC dc = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
        EXPECT_EQ(SendMessageW(control(id), CB_GETITEMHEIGHT, 0, 0), metrics.tmHeight + 2);

        const Capture shown = captureScreen(screenRectOf(control(id)));
        const auto dark = std::count(shown.pixels.begin(), shown.pixels.end(), rgb(46, 43, 41));
        EXPECT_GT(dark, static_cast<long>(shown.pixels.size() / 3));  // besides text, frame, arrow
    }
}

TEST_F(MainWindowTest, FocusReturnsToTheLastControlWhenTheWindowIsActivatedAgain) {
    SetFocus(control(3));
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    pumpMessages(window);
    EXPECT_NE(GetFocus(), control(3));
    SetForegroundWindow(window);
    SetActiveWindow(window);
    pumpMessages(window);
    EXPECT_EQ(GetFocus(), control(3));
    DestroyWindow(other);
}

TEST_F(MainWindowTest, ShorterTextLeavesNoTraceOfTheLongerOne) {
    HWND troops = control(7);
    const RECT area = screenRectOf(troops);
    const Capture before = captureScreen(area);
    SetWindowTextW(troops, L"12400");
    pumpMessages(window);
    const Capture longer = captureScreen(area);
    SetWindowTextW(troops, L"240");
    pumpMessages(window);
    EXPECT_NE(longer, before);
    EXPECT_EQ(captureScreen(area), before);
}

TEST_F(MainWindowTest, NeighbouringLabelsKeepTheirTextsWhenOneChanges) {
    // 透明标签1 overlaps 元素1, 透明标签2 overlaps 元素2.
    const RECT captions = {screenRectOf(control(9)).left, screenRectOf(control(9)).top,
                           screenRectOf(control(6)).right, screenRectOf(control(6)).bottom};
    const Capture before = captureScreen(captions);
    SetWindowTextW(control(7), L"");
    SetWindowTextW(control(6), L"");
    pumpMessages(window);
    SetWindowTextW(control(7), L"240");
    SetWindowTextW(control(6), L"弓弓魔炮");
    pumpMessages(window);
    EXPECT_EQ(captureScreen(captions), before);
}

}  // namespace
