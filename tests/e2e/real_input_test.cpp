// The real program driven as a user drives it: pointer moves, clicks, wheel and keys from the X
// server (xdotool), read back through the controls' texts, the keyboard focus and the pixels on
// the screen. Every test ends the way a user does, with Esc, and expects exit code 0.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/x_input.h"
#include "links/site_pages.h"
#include "support/program_process.h"
#include "support/screen.h"
#include "support/stand_in_browser.h"
#include "ui/gbk.h"

namespace {

const std::wstring program = PROGRAM_BESIDE_TEST;

// Where each control sits, written out here: its picture box (0: the window itself) and its id.
struct ControlPath {
    int parent;
    int id;
};
constexpr ControlPath gameGuidesButton{0, 2};          // 按钮4
constexpr ControlPath officialForumButton{0, 3};       // 按钮3
constexpr ControlPath moreToolsButton{16, 4};          // 按钮2 on 图片框4
constexpr ControlPath suggestedFormationLabel{13, 5};  // 元素3 on 图片框3
constexpr ControlPath enemyFormationLabel{13, 6};      // 元素2 on 图片框3
constexpr ControlPath totalTroopsLabel{13, 7};         // 元素1 on 图片框3
constexpr ControlPath queryButton{14, 10};             // 按钮1 on 图片框2
constexpr ControlPath kindList{0, 11};                 // 种类
constexpr ControlPath levelList{14, 12};               // 等级 on 图片框2
constexpr ControlPath headerPanel{0, 15};              // 图片框1

// What the three result labels show, as GBK bytes.
struct Shown {
    std::string totalTroops;
    std::string enemyFormation;
    std::string suggestedFormation;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "(" << testing::PrintToString(shown.totalTroops) << ", "
         << testing::PrintToString(shown.enemyFormation) << ", "
         << testing::PrintToString(shown.suggestedFormation) << ")";
}

const std::string firstKind = "\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6";   // 暗风猎手
const std::string secondKind = "\xd0\xb0\xd4\xc2\xc2\xf9\xb1\xf8";  // 邪月蛮兵
const std::string thirdKind = "\xb6\xf1\xc0\xd7\xc5\xda\xca\xd6";   // 恶雷炮手

const Shown firstKindAt10{"240",
                          "\xb9\xad\xb9\xad\xc4\xa7\xc5\xda",   // 弓弓魔炮
                          "\xc5\xda\xc4\xa7\xb9\xad\xb2\xbd"};  // 炮魔弓步
const Shown secondKindAt50{"19600",
                           "\xb2\xbd\xb2\xbd\xc4\xa7\xc5\xda",   // 步步魔炮
                           "\xc4\xa7\xb2\xbd\xb9\xad\xc5\xda"};  // 魔步弓炮
const Shown thirdKindAt100{"81680",
                           "\xc5\xda\xc5\xda\xb2\xbd\xb9\xad",   // 炮炮步弓
                           "\x9a\x69\xc5\xda\xc4\xa7\xb9\xad"};  // 歩炮魔弓

constexpr DWORD settleTimeout = 10000;
constexpr DWORD settleStep = 10;

// Reads until `read` gives `expected` or the time is up, and gives the last value read, so that a
// failed check shows what was there instead.
template <class Value, class Read>
Value awaited(const Value& expected, Read read, DWORD timeout = settleTimeout) {
    Value value = read();
    for (DWORD waited = 0; !(value == expected) && waited < timeout; waited += settleStep) {
        Sleep(settleStep);
        value = read();
    }
    return value;
}

// Reads until `read` gives something other than `before` or the time is up.
template <class Value, class Read>
Value awaitedChange(const Value& before, Read read) {
    Value value = read();
    for (DWORD waited = 0; value == before && waited < settleTimeout; waited += settleStep) {
        Sleep(settleStep);
        value = read();
    }
    return value;
}

// The text of another process's control as GBK bytes: WM_GETTEXT, which for a drop-down list gives
// its selected item.
std::string gbkTextOf(HWND control) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, settleTimeout, &length)) {
        return "<no answer>";
    }
    return toGbk(std::wstring_view(text, length));
}

POINT centreOf(const RECT& area) {
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

struct Rgb {
    int red;
    int green;
    int blue;
};

constexpr Rgb rgbOf(std::uint32_t pixel) {
    return {static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

// The share of a screen area's pixels that look as `looks` says.
template <class Looks>
double shareOf(const RECT& area, Looks looks) {
    const Capture capture = captureScreen(area);
    int matching = 0;
    for (std::uint32_t pixel : capture.pixels) matching += looks(rgbOf(pixel)) ? 1 : 0;
    return capture.pixels.empty()
               ? 0.0
               : static_cast<double>(matching) / static_cast<double>(capture.pixels.size());
}

bool isSelectorBackground(Rgb c) {  // RGB(46, 43, 41), the dark fields of the selection panel
    return std::abs(c.red - 46) <= 4 && std::abs(c.green - 43) <= 4 && std::abs(c.blue - 41) <= 4;
}
bool isResultWhite(Rgb c) {
    return c.red >= 250 && c.green >= 250 && c.blue >= 250;
}
bool isPlaqueYellow(Rgb c) {  // the characters 查询 on the query button
    return c.red >= 200 && c.green >= 170 && c.blue <= 140;
}
bool isPlaqueDark(Rgb c) {  // the brown-black plaque under them, unlike the green board
    return c.red < 80 && c.red >= c.green && c.green >= c.blue;
}

class RealInput : public testing::Test {
  protected:
    void SetUp() override {
        // Wine's desktop puts the pointer in the middle of the screen, right over the window, and
        // an open list follows the pointer: keep it in a corner until the test moves it.
        ASSERT_TRUE(movePointer({0, 0})) << "xdotool did not run";
        running.emplace(program);
        ASSERT_TRUE(running->started());
        window = running->window();
        ASSERT_NE(window, nullptr) << "no main window";
        ASSERT_TRUE(restPointer());
    }

    HWND control(ControlPath path) const {
        return GetDlgItem(path.parent ? GetDlgItem(window, path.parent) : window, path.id);
    }
    RECT screenArea(ControlPath path) const { return screenRectOf(control(path)); }

    // Keys go to the window under the pointer, so between clicks the pointer rests on the sky of
    // the header, where a click does nothing.
    bool restPointer() const {
        const RECT header = screenArea(headerPanel);
        return movePointer({header.left + 270, header.top + 8});
    }

    bool clickOn(ControlPath path) const { return clickAt(centreOf(screenArea(path))); }

    std::string textOf(ControlPath path) const { return gbkTextOf(control(path)); }

    Shown shown() const {
        return {textOf(totalTroopsLabel), textOf(enemyFormationLabel),
                textOf(suggestedFormationLabel)};
    }

    // The id of the control with the keyboard focus, 0 for none of the window's.
    int focusedId() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (!GetGUIThreadInfo(running->threadId(), &gui) || !gui.hwndFocus) return 0;
        return GetDlgCtrlID(gui.hwndFocus);
    }

    bool isOpen(ControlPath list) const {
        return SendMessageW(control(list), CB_GETDROPPEDSTATE, 0, 0) != 0;
    }

    // The open list of a drop-down list: a top-level window of its own, class ComboLBox.
    HWND openList() const {
        HWND found = nullptr;
        EnumThreadWindows(
            running->threadId(),
            [](HWND candidate, LPARAM lParam) -> BOOL {
                wchar_t className[32] = {};
                GetClassNameW(candidate, className, 32);
                if (!IsWindowVisible(candidate) || lstrcmpiW(className, L"ComboLBox") != 0) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(lParam) = candidate;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // Clicks the item at `index` of the open list, first turning the mouse wheel over the list
    // until the item is in view.
    void clickItemOfOpenList(int index) const {
        const HWND list = openList();
        ASSERT_NE(list, nullptr);
        const auto itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        ASSERT_GT(itemHeight, 0);
        RECT client{};
        GetClientRect(list, &client);
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        const int rows = client.bottom / itemHeight;
        const auto topIndex = [list] {
            return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        };
        int top = topIndex();
        if (index >= top + rows) {
            ASSERT_TRUE(movePointer({origin.x + client.right / 2, origin.y + client.bottom / 2}));
        }
        while (index >= top + rows) {
            ASSERT_TRUE(scrollDown());
            const int before = top;
            top = awaitedChange(before, topIndex);
            ASSERT_GT(top, before) << "the wheel does not scroll the list";
        }
        ASSERT_GE(index, top);
        ASSERT_TRUE(clickAt(
            {origin.x + client.right / 2, origin.y + (index - top) * itemHeight + itemHeight / 2}));
    }

    DWORD closeWithEsc() {
        if (!pressKeys(L"Escape")) return STILL_ACTIVE;
        return running->waitForExit();
    }

    std::optional<ProgramProcess> running;
    HWND window = nullptr;
};

TEST_F(RealInput, MouseChoosesKindAndLevelFromTheOpenListsAndTheQueryButtonShowsTheirRow) {
    const RECT place = screenRectOf(window);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 540) / 2);
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 562) / 2);
    EXPECT_EQ(textOf(kindList), firstKind);
    EXPECT_EQ(textOf(levelList), "10");
    EXPECT_EQ(shown(), firstKindAt10);

    // 种类: open it, pick the third kind. Choosing runs nothing.
    ASSERT_TRUE(clickOn(kindList));
    ASSERT_TRUE(awaited(true, [&] { return isOpen(kindList); })) << "a click opens the list";
    const RECT kindField = screenArea(kindList);
    const RECT kindItems = screenRectOf(openList());
    EXPECT_GE(kindItems.top, kindField.bottom - 1) << "the list opens below its field";
    ASSERT_NO_FATAL_FAILURE(clickItemOfOpenList(2));
    EXPECT_EQ(awaited(thirdKind, [&] { return textOf(kindList); }), thirdKind);
    EXPECT_FALSE(awaited(false, [&] { return isOpen(kindList); }));

    // 等级: its eleven items do not fit, so "100" is reached with the wheel.
    ASSERT_TRUE(clickOn(levelList));
    ASSERT_TRUE(awaited(true, [&] { return isOpen(levelList); }));
    ASSERT_NO_FATAL_FAILURE(clickItemOfOpenList(9));
    EXPECT_EQ(awaited(std::string("100"), [&] { return textOf(levelList); }), "100");
    EXPECT_FALSE(awaited(false, [&] { return isOpen(levelList); }));
    EXPECT_EQ(textOf(kindList), thirdKind);
    EXPECT_EQ(shown(), firstKindAt10);

    const Capture troopsBefore = captureScreen(screenArea(totalTroopsLabel));
    ASSERT_TRUE(clickOn(queryButton));
    EXPECT_EQ(awaited(thirdKindAt100, [&] { return shown(); }), thirdKindAt100);
    EXPECT_EQ(awaited(queryButton.id, [&] { return focusedId(); }), queryButton.id);

    // The screen, with the focus on the button so that neither field shows the focus colour.
    ASSERT_TRUE(restPointer());
    Sleep(300);  // the new texts and the released button reach the screen
    EXPECT_NE(captureScreen(screenArea(totalTroopsLabel)), troopsBefore);
    for (ControlPath list : {levelList, kindList}) {
        EXPECT_GT(shareOf(screenArea(list), isSelectorBackground), 0.25) << list.id;
    }
    EXPECT_GT(shareOf(screenArea(totalTroopsLabel), isResultWhite), 0.03);
    EXPECT_GT(shareOf(screenArea(enemyFormationLabel), isResultWhite), 0.03);
    EXPECT_GT(shareOf(screenArea(suggestedFormationLabel), isResultWhite), 0.08);
    const RECT plaque = screenArea(queryButton);
    EXPECT_GT(shareOf(plaque, isPlaqueYellow), 0.02) << "the characters of the query picture";
    EXPECT_GT(shareOf(plaque, isPlaqueDark), 0.3) << "the plaque of the query picture";

    EXPECT_EQ(closeWithEsc(), 0u);
}

TEST_F(RealInput, KeyboardWalksTheFocusOrderAndOnlyTheSpaceBarClicks) {
    EXPECT_EQ(focusedId(), levelList.id);
    // Both ways round the whole order, wrapping at either end.
    const int forwards[] = {kindList.id,         queryButton.id,
                            moreToolsButton.id,  officialForumButton.id,
                            gameGuidesButton.id, levelList.id};
    for (int expected : forwards) {
        ASSERT_TRUE(pressKeys(L"Tab"));
        ASSERT_EQ(awaited(expected, [&] { return focusedId(); }), expected) << "Tab";
    }
    const int backwards[] = {gameGuidesButton.id, officialForumButton.id,
                             moreToolsButton.id,  queryButton.id,
                             kindList.id,         levelList.id};
    for (int expected : backwards) {
        ASSERT_TRUE(pressKeys(L"shift+Tab"));
        ASSERT_EQ(awaited(expected, [&] { return focusedId(); }), expected) << "Shift+Tab";
    }

    // The arrow keys choose in the focused list: 50 and the second kind.
    ASSERT_TRUE(pressKeys(L"Down Down Down Down"));
    EXPECT_EQ(awaited(std::string("50"), [&] { return textOf(levelList); }), "50");
    ASSERT_TRUE(pressKeys(L"Tab Down"));
    EXPECT_EQ(awaited(secondKind, [&] { return textOf(kindList); }), secondKind);
    ASSERT_TRUE(pressKeys(L"Tab"));
    ASSERT_EQ(awaited(queryButton.id, [&] { return focusedId(); }), queryButton.id);

    // Enter on the query button: the Tab behind it lands one step further, so Enter neither
    // moved the focus nor clicked.
    ASSERT_TRUE(pressKeys(L"Return Tab"));
    ASSERT_EQ(awaited(moreToolsButton.id, [&] { return focusedId(); }), moreToolsButton.id);
    EXPECT_EQ(shown(), firstKindAt10);

    ASSERT_TRUE(pressKeys(L"shift+Tab"));
    ASSERT_EQ(awaited(queryButton.id, [&] { return focusedId(); }), queryButton.id);
    ASSERT_TRUE(pressKeys(L"space"));
    EXPECT_EQ(awaited(secondKindAt50, [&] { return shown(); }), secondKindAt50);
    EXPECT_EQ(focusedId(), queryButton.id);

    EXPECT_EQ(closeWithEsc(), 0u);
}

TEST_F(RealInput, EscClosesTheWindowWhileTheLevelListIsOpen) {
    ASSERT_TRUE(clickOn(levelList));
    ASSERT_TRUE(awaited(true, [&] { return isOpen(levelList); }));
    ASSERT_NE(openList(), nullptr);
    EXPECT_EQ(closeWithEsc(), 0u);
}

TEST_F(RealInput, ClickingTheLinkButtonsOpensTheirPages) {
    // URL_RECORDER: the recorder of the site links' tests, on Wine's drive Z:.
    const StandInBrowser browser(URL_RECORDER);
    ASSERT_TRUE(browser.ready());
    const std::string base(siteBaseUrl);
    struct Link {
        ControlPath button;
        std::string address;
    };
    const Link links[] = {{moreToolsButton, base + "/forum-49-1.html"},
                          {gameGuidesButton, base + "/forum.php?gid=39"},
                          {officialForumButton, base + "/"}};
    std::vector<std::string> expected;
    for (const Link& link : links) {
        ASSERT_TRUE(clickOn(link.button));
        expected.push_back(link.address);
        EXPECT_EQ(browser.recordedAddresses(expected.size()), expected)
            << "button " << link.button.id;
    }
    EXPECT_EQ(closeWithEsc(), 0u);
}

}  // namespace
