// Long use of the real window leaves nothing behind: after many queries and caption changes the
// process holds the same GDI and USER objects as before and hardly more memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process_resources.h"
#include "support/main_window_fixture.h"
#include "support/screen.h"
#include "ui/main_window.h"

namespace {

constexpr int kindCount = 4;
constexpr int levelCount = 11;
constexpr std::size_t memorySlack = 64 * 1024;

// Ids written out here: 按钮1, 种类, 等级, 元素1 to 元素3.
constexpr ControlId queryButton = static_cast<ControlId>(10);
constexpr ControlId kindList = static_cast<ControlId>(11);
constexpr ControlId levelList = static_cast<ControlId>(12);
constexpr ControlId resultLabels[] = {static_cast<ControlId>(7), static_cast<ControlId>(6),
                                      static_cast<ControlId>(5)};

// Captions from empty to longer than the label is wide, Chinese and ASCII.
const std::vector<std::wstring> captions = {
    L"",
    L"2",
    L"12400",
    L"96120",
    L"\x6b65\x70ae\x9b54\x9b54",  // 步炮魔魔
    L"\x9b54\x6b69\x5f13\x70ae",  // 魔歩弓炮
    L"\x6697\x98ce\x730e\x624b\x90aa\x6708\x86ee\x5175\x6076\x96f7\x70ae\x624b\x9ed1\x96fe",
    L"a caption far longer than any label is wide, to be cut off at its edge",
};

class SoakTest : public MainWindowFixture {
  protected:
    HWND control(ControlId id) const { return controlOf(window, id); }

    // The kinds and levels in turn, all 44 pairs every 44 queries. The labels repaint within the
    // click; the button's and the lists' own repaints wait for the next drain, as they would
    // between quick clicks, which keeps 10,000 queries within seconds under Wine.
    void query(int n) {
        SendMessageW(control(kindList), CB_SETCURSEL, static_cast<WPARAM>(n % kindCount), 0);
        SendMessageW(control(levelList), CB_SETCURSEL,
                     static_cast<WPARAM>(n / kindCount % levelCount), 0);
        SendMessageW(control(queryButton), BM_CLICK, 0, 0);
        if (n % 10 == 0) drainMessages();
    }

    void changeCaption(int n) {
        const std::wstring& caption = captions[static_cast<std::size_t>(n) % captions.size()];
        SetWindowTextW(control(resultLabels[n % 3]), caption.c_str());
        drainMessages();
    }

    // What the click left queued (the button's repaint), handled without waiting.
    void drainMessages() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::wstring captionOf(ControlId id) const {
        wchar_t text[128] = {};
        GetWindowTextW(control(id), text, 128);
        return text;
    }

    static void expectNothingLeftBehind(const ProcessResources& before,
                                        const ProcessResources& after) {
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.userObjects, before.userObjects);
        EXPECT_LE(after.privateBytes, before.privateBytes + memorySlack)
            << "grew by " << after.privateBytes - before.privateBytes << " bytes";
    }
};

TEST_F(SoakTest, TenThousandQueriesLeaveObjectsAndMemoryAsTheyWere) {
    const int warmUp = 2 * kindCount * levelCount;
    for (int n = 0; n < warmUp; ++n) query(n);
    pumpMessages(window);
    const ProcessResources before = resourcesOfThisProcess();

    // Ends on 黑雾巫妖 at 110, so the last query shows the table's last row.
    const int queries = 10000;
    const int first = kindCount * levelCount - 1 - (queries - 1) % (kindCount * levelCount);
    for (int n = first; n < first + queries; ++n) query(n);
    pumpMessages(window);
    const ProcessResources after = resourcesOfThisProcess();

    EXPECT_EQ(captionOf(resultLabels[0]), L"96120");
    expectNothingLeftBehind(before, after);
}

TEST_F(SoakTest, AThousandCaptionChangesLeaveObjectsAndMemoryAsTheyWere) {
    for (int n = 0; n < 3 * static_cast<int>(captions.size()); ++n) changeCaption(n);
    pumpMessages(window);
    const ProcessResources before = resourcesOfThisProcess();

    for (int n = 0; n < 1000; ++n) changeCaption(n);
    pumpMessages(window);
    const ProcessResources after = resourcesOfThisProcess();

    EXPECT_EQ(captionOf(resultLabels[999 % 3]), captions[999 % captions.size()]);
    expectNothingLeftBehind(before, after);
}

}  // namespace
