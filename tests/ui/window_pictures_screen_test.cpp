// What the screen shows of the pictures: each box its picture, the query button its plaque, and
// button face or text where a picture cannot be decoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/lifecycle.h"
#include "assets/picture.h"
#include "assets/pictures.h"
#include "support/main_window_fixture.h"
#include "support/screen.h"
#include "ui/main_window.h"
#include "ui/picture_bitmap.h"
#include "ui/picture_box.h"
#include "ui/push_button.h"

namespace {

std::uint32_t pixelOf(const Picture& picture, int x, int y) {
    const std::size_t at =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + x) * 3;
    return rgb(picture.pixels[at], picture.pixels[at + 1], picture.pixels[at + 2]);
}

std::uint32_t buttonFace() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

class WindowPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        emptyTables();
        SetCursorPos(0, 0);
        window = createMainWindow(GetModuleHandleW(nullptr));
        pumpMessages(window, 300);
    }
    void TearDown() override {
        DestroyWindow(window);
        pumpMessages(nullptr, 20);
        releaseTables();
    }
    HWND window = nullptr;
};

TEST_F(WindowPictures, EachBoxShowsItsPictureWhereNothingLiesAboveIt) {
    struct Box {
        ControlId id;
        std::span<const std::uint8_t> jpeg;
    };
    const Box boxes[] = {{ControlId::headerPanel, headerPicture},
                         {ControlId::selectionPanel, selectionPanelPicture},
                         {ControlId::resultPanel, resultPanelPicture},
                         {ControlId::linksPanel, linksPanelPicture}};
    for (const Box& box : boxes) {
        SCOPED_TRACE(static_cast<int>(box.id));
        HWND boxWindow = controlOf(window, box.id);
        const std::optional<Picture> picture = decodePicture(box.jpeg);
        ASSERT_TRUE(picture);
        const RECT area = screenRectOf(boxWindow);
        const Capture shown = captureScreen(area);
        int compared = 0;
        int differing = 0;
        for (int y = 0; y < picture->height; y += 5) {
            for (int x = 0; x < picture->width; x += 5) {
                const POINT onScreen = {area.left + x, area.top + y};
                if (WindowFromPoint(onScreen) != boxWindow) continue;  // hidden or a control's
                ++compared;
                if (shown.at(x, y) != pixelOf(*picture, x, y)) ++differing;
            }
        }
        EXPECT_GT(compared, 200);
        EXPECT_EQ(differing, 0) << "of " << compared;
    }
}

TEST_F(WindowPictures, AnEmptyLabelShowsThePictureBeneathIt) {
    const std::optional<Picture> panel = decodePicture(resultPanelPicture);
    ASSERT_TRUE(panel);
    HWND label = controlOf(window, ControlId::suggestedFormationLabel);
    SetWindowTextW(label, L"");
    pumpMessages(window);
    const Capture shown = captureScreen(screenRectOf(label));
    int differing = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            differing += shown.at(x, y) != pixelOf(*panel, 281 + x, 62 + y);  // 元素3's place
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(WindowPictures, QueryButtonShowsItsPlaqueCentred) {
    HWND button = controlOf(window, ControlId::queryButton);
    EXPECT_TRUE(GetWindowLongPtrW(button, GWL_STYLE) & BS_BITMAP);
    const std::optional<Picture> plaque = decodePicture(queryButtonPicture);
    ASSERT_TRUE(plaque);
    RECT client{};
    GetClientRect(button, &client);
    const int left = (client.right - plaque->width) / 2;
    const int top = (client.bottom - plaque->height) / 2;
    const Capture shown = captureScreen(screenRectOf(button));
    // The inside of the face, where no border or pressed shading lies. 127 pixels on a 128-pixel
    // button centre either way, so the odd pixel may fall on either side.
    auto differingAt = [&](int shift) {
        int differing = 0;
        for (int y = 8; y < plaque->height - 8; ++y) {
            for (int x = 8; x < plaque->width - 8; ++x) {
                differing += shown.at(left + shift + x, top + y) != pixelOf(*plaque, x, y);
            }
        }
        return differing;
    };
    EXPECT_EQ(std::min(differingAt(0), differingAt(1)), 0);
}

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// A bare top-level window to hold single controls made outside the main window.
class Holder : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW plain{};
        plain.lpfnWndProc = plainWindowProc;
        plain.hInstance = instance;
        plain.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        plain.lpszClassName = L"PictureTestHolder";
        RegisterClassW(&plain);
        ASSERT_TRUE(registerPictureBoxClass(instance));
        holder = CreateWindowExW(WS_EX_TOPMOST, L"PictureTestHolder", L"", WS_POPUP | WS_VISIBLE,
                                 40, 40, 300, 200, nullptr, nullptr, instance, nullptr);
        pumpMessages(holder);
    }
    void TearDown() override {
        DestroyWindow(holder);
        pumpMessages(nullptr, 20);
    }
    HWND holder = nullptr;
};

TEST_F(Holder, BoxWithAnUndecodablePictureShowsButtonFace) {
    const std::vector<std::uint8_t> truncated(selectionPanelPicture.begin(),
                                              selectionPanelPicture.begin() + 600);
    for (std::span<const std::uint8_t> jpeg :
         {std::span<const std::uint8_t>(truncated), std::span<const std::uint8_t>()}) {
        HWND box = createPictureBox(holder, 1, {10, 10, 210, 110}, jpeg);
        ASSERT_NE(box, nullptr);
        ShowWindow(box, SW_SHOW);
        pumpMessages(holder);
        const Capture shown = captureScreen(screenRectOf(box));
        for (std::uint32_t pixel : shown.pixels) ASSERT_EQ(pixel, buttonFace());
        DestroyWindow(box);
    }
}

TEST_F(Holder, ButtonWithoutItsPictureShowsItsText) {
    EXPECT_EQ(bitmapFromJpeg(std::span<const std::uint8_t>(queryButtonPicture.data(), 100)),
              nullptr);
    HWND button = createPushButton(holder, 10, {10, 10, 138, 75}, L"按钮", nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    ShowWindow(button, SW_SHOW);
    pumpMessages(holder);
    EXPECT_FALSE(GetWindowLongPtrW(button, GWL_STYLE) & BS_BITMAP);
    wchar_t text[16] = {};
    GetWindowTextW(button, text, 16);
    EXPECT_STREQ(text, L"按钮");
    // The text is drawn: the middle of the face is not all one colour.
    RECT middle = screenRectOf(button);
    InflateRect(&middle, -30, -20);
    const Capture shown = captureScreen(middle);
    int other = 0;
    for (std::uint32_t pixel : shown.pixels) other += pixel != shown.pixels.front();
    EXPECT_GT(other, 10);
}

}  // namespace
