// The site links with the real shell under a registered stand-in browser (url_recorder.exe,
// built beside this test), first through openSitePage, then through the buttons of the program.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "links/open_site_page.h"
#include "links/site_pages.h"
#include "support/program_process.h"
#include "support/stand_in_browser.h"

namespace {

struct WindowDestroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

const std::string moreToolsAddress = std::string(siteBaseUrl) + "/forum-49-1.html";
const std::string gameGuidesAddress = std::string(siteBaseUrl) + "/forum.php?gid=39";
const std::string officialForumAddress = std::string(siteBaseUrl) + "/";

class SiteLinksEndToEnd : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(browser.ready()) << "url_recorder.exe is built"; }

    StandInBrowser browser{URL_RECORDER};  // the recorder's path as Windows sees it
};

TEST_F(SiteLinksEndToEnd, TheShellHandsEachAddressToTheRegisteredBrowserUnchanged) {
    std::vector<std::string> expected;
    for (const std::string& address : {moreToolsAddress, gameGuidesAddress, officialForumAddress}) {
        openSitePage(address);
        expected.push_back(address);
        EXPECT_EQ(browser.recordedAddresses(expected.size()), expected);
    }
}

TEST_F(SiteLinksEndToEnd, ThePageStillOpensWhenABrowserWindowOwnsTheRequest) {
    const OwnedWindow browserWindow(CreateWindowExA(0, "STATIC", "Microsoft Internet Explorer",
                                                    WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                                    nullptr, nullptr));
    ASSERT_TRUE(browserWindow);
    openSitePage(gameGuidesAddress);
    openSitePage(gameGuidesAddress);
    EXPECT_EQ(browser.recordedAddresses(2), std::vector<std::string>(2, gameGuidesAddress));
}

// Gives the button the keyboard focus from this process, with its window in front: SetFocus works
// on another thread's window only while the two threads share their input.
bool focusButton(HWND button) {
    const DWORD programThread = GetWindowThreadProcessId(button, nullptr);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // AttachThreadInput needs our queue
    if (!AttachThreadInput(GetCurrentThreadId(), programThread, TRUE)) return false;
    const HWND window = GetAncestor(button, GA_ROOT);
    SetForegroundWindow(window);
    SetFocus(button);
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
    // Key presses go to the foreground window's thread, so the window must still be in front.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(programThread, &gui) && gui.hwndFocus == button &&
           GetForegroundWindow() == window;
}

void pressSpace() {
    keybd_event(VK_SPACE, 0, 0, 0);
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
}

TEST_F(SiteLinksEndToEnd, TheLinkButtonsOfTheProgramOpenTheirPages) {
    ProgramProcess running(PROGRAM_BESIDE_TEST);
    ASSERT_TRUE(running.started()) << "error " << GetLastError();
    const HWND window = running.window();
    ASSERT_NE(window, nullptr) << "no main window";

    struct LinkButton {
        const char* name;
        HWND button;
        std::string address;
    };
    // 按钮2 sits on the links panel (图片框4, id 16); 按钮4 and 按钮3 on the window itself.
    const LinkButton buttons[] = {
        {"button 2, more tools", GetDlgItem(GetDlgItem(window, 16), 4), moreToolsAddress},
        {"button 4, game guides", GetDlgItem(window, 2), gameGuidesAddress},
        {"button 3, official forum", GetDlgItem(window, 3), officialForumAddress},
    };
    std::vector<std::string> expected;
    for (const LinkButton& link : buttons) {
        SCOPED_TRACE(std::string(link.name) + " by BM_CLICK");
        ASSERT_NE(link.button, nullptr);
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(link.button, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &result), 0);
        expected.push_back(link.address);
        EXPECT_EQ(browser.recordedAddresses(expected.size()), expected);
    }
    for (const LinkButton& link : buttons) {
        SCOPED_TRACE(std::string(link.name) + " by the space bar");
        ASSERT_TRUE(focusButton(link.button));
        pressSpace();
        expected.push_back(link.address);
        EXPECT_EQ(browser.recordedAddresses(expected.size()), expected);
    }

    ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
    EXPECT_EQ(running.waitForExit(30000), 0u);
}

}  // namespace
