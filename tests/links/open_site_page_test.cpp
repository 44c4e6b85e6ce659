#include "links/open_site_page.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "links/shell_calls.h"
#include "links/site_pages.h"

namespace {

struct WindowDestroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

std::optional<std::string> textOrNone(LPCSTR text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

struct WindowLookup {
    HWND parent;
    HWND childAfter;
    std::optional<std::string> windowClass;
    std::optional<std::string> title;
    HWND found;
};

struct ShellRequest {
    HWND owner;
    std::optional<std::string> operation;
    std::optional<std::string> file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    INT showCommand;
};

// What the two shell calls were asked, in order: "F" for a lookup, "S" for a shell request.
struct ShellLog {
    std::string order;
    std::vector<WindowLookup> lookups;
    std::vector<ShellRequest> requests;
    HINSTANCE shellAnswer = reinterpret_cast<HINSTANCE>(42);  // above 32: success
};
ShellLog shellLog;

// The lookup stays real, so that a window the test makes is found as the program would find it.
HWND WINAPI recordLookup(HWND parent, HWND childAfter, LPCSTR windowClass, LPCSTR title) {
    HWND found = FindWindowExA(parent, childAfter, windowClass, title);
    shellLog.order += 'F';
    shellLog.lookups.push_back(
        {parent, childAfter, textOrNone(windowClass), textOrNone(title), found});
    return found;
}

HINSTANCE WINAPI recordRequest(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT showCommand) {
    shellLog.order += 'S';
    shellLog.requests.push_back({owner, textOrNone(operation), textOrNone(file),
                                 textOrNone(parameters), textOrNone(directory), showCommand});
    return shellLog.shellAnswer;
}

class OpenSitePage : public testing::Test {
  protected:
    void SetUp() override {
        shellLog = {};
        replaced = replaceShellCalls({recordLookup, recordRequest});
    }
    void TearDown() override { replaceShellCalls(replaced); }

    ShellCalls replaced{};
};

// A top-level window of its own class, titled as the browser window the lookup asks for.
OwnedWindow makeBrowserWindow() {
    return OwnedWindow(CreateWindowExA(0, "STATIC", "Microsoft Internet Explorer", WS_OVERLAPPED, 0,
                                       0, 100, 100, nullptr, nullptr, nullptr, nullptr));
}

int windowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(OpenSitePage, TheRealShellCallsAreInstalledUntilReplaced) {
    EXPECT_EQ(replaced.findWindow, realShellCalls().findWindow);
    EXPECT_EQ(replaced.shellExecute, realShellCalls().shellExecute);
    EXPECT_EQ(realShellCalls().findWindow, &FindWindowExA);

    const ShellCalls recorder = replaceShellCalls({});
    EXPECT_EQ(recorder.shellExecute, &recordRequest);
    const ShellCalls real = replaceShellCalls(recorder);
    EXPECT_EQ(real.findWindow, realShellCalls().findWindow);
    EXPECT_EQ(real.shellExecute, realShellCalls().shellExecute);
}

TEST_F(OpenSitePage, EachAddressGoesToTheShellExactlyWithOpenAndNothingElse) {
    const std::string addresses[] = {
        std::string(siteBaseUrl) + "/forum-49-1.html",
        std::string(siteBaseUrl) + "/forum.php?gid=39",
        std::string(siteBaseUrl) + "/",
    };
    ASSERT_EQ(FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer"), nullptr);
    for (const std::string& address : addresses) openSitePage(address);

    EXPECT_EQ(shellLog.order, "FSFSFS");
    ASSERT_EQ(shellLog.lookups.size(), 3u);
    ASSERT_EQ(shellLog.requests.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(addresses[i]);
        const WindowLookup& lookup = shellLog.lookups[i];
        EXPECT_EQ(lookup.parent, nullptr);
        EXPECT_EQ(lookup.childAfter, nullptr);
        EXPECT_EQ(lookup.windowClass, std::nullopt);
        EXPECT_EQ(lookup.title, "Microsoft Internet Explorer");

        const ShellRequest& request = shellLog.requests[i];
        EXPECT_EQ(request.owner, nullptr);
        EXPECT_EQ(request.operation, "open");
        EXPECT_EQ(request.file, addresses[i]);
        EXPECT_EQ(request.parameters, std::nullopt);
        EXPECT_EQ(request.directory, std::nullopt);
        EXPECT_EQ(request.showCommand, 1);  // SW_SHOWNORMAL
    }
}

TEST_F(OpenSitePage, TheBrowserWindowOwnsTheRequestOnlyWhileItExists) {
    const std::string address = std::string(siteBaseUrl) + "/";
    openSitePage(address);
    {
        OwnedWindow browser = makeBrowserWindow();
        ASSERT_TRUE(browser);
        openSitePage(address);
        EXPECT_EQ(shellLog.requests.back().owner, browser.get());
    }
    openSitePage(address);

    ASSERT_EQ(shellLog.requests.size(), 3u);
    EXPECT_EQ(shellLog.requests[0].owner, nullptr);
    EXPECT_EQ(shellLog.requests[2].owner, nullptr) << "the window from the last click was kept";
    for (const ShellRequest& request : shellLog.requests) EXPECT_EQ(request.file, address);
}

TEST_F(OpenSitePage, TwoClicksMakeTwoRequests) {
    const std::string address = std::string(siteBaseUrl) + "/forum.php?gid=39";
    openSitePage(address);
    openSitePage(address);
    EXPECT_EQ(shellLog.order, "FSFS");
}

TEST_F(OpenSitePage, AFailedRequestIsNeitherRetriedNorReported) {
    const std::string address = std::string(siteBaseUrl) + "/forum-49-1.html";
    const int windowsBefore = windowsOfThisThread();
    // Out of resources, file not found, no program registered for the address.
    for (INT_PTR answer : {0, SE_ERR_FNF, SE_ERR_NOASSOC}) {
        SCOPED_TRACE(answer);
        shellLog = {};
        shellLog.shellAnswer = reinterpret_cast<HINSTANCE>(answer);
        openSitePage(address);
        EXPECT_EQ(shellLog.order, "FS");
        EXPECT_EQ(windowsOfThisThread(), windowsBefore);

        // The next click asks again, as if nothing had happened.
        openSitePage(address);
        EXPECT_EQ(shellLog.order, "FSFS");
    }
}

}  // namespace
