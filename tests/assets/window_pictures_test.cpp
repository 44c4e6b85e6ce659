#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <span>
#include <utility>

#include "assets/picture.h"
#include "assets/pictures.h"

namespace {

struct Colour {
    int red, green, blue;
    friend std::ostream& operator<<(std::ostream& out, Colour c) {
        return out << "RGB(" << c.red << ", " << c.green << ", " << c.blue << ")";
    }
};

// Inclusive corners, in the picture's own pixels.
struct Box {
    int left, top, right, bottom;
    friend bool operator==(const Box&, const Box&) = default;
    friend std::ostream& operator<<(std::ostream& out, Box b) {
        return out << "x " << b.left << ".." << b.right << ", y " << b.top << ".." << b.bottom;
    }
};

constexpr Colour board{26, 59, 52};
constexpr Colour darkField{46, 43, 41};  // the background of the two drop-down lists

Colour at(const Picture& picture, int x, int y) {
    const std::uint8_t* p = &picture.pixels[(std::size_t(y) * picture.width + x) * 3];
    return {p[0], p[1], p[2]};
}

bool near(Colour a, Colour b, int tolerance) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

bool isCaptionYellow(Colour c) {
    return c.red >= 200 && c.green >= 150 && c.blue <= 140;
}

// Every pixel of `box` is within `tolerance` of `colour`; names the first that is not.
::testing::AssertionResult allNear(const Picture& picture, Box box, Colour colour, int tolerance) {
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (!near(at(picture, x, y), colour, tolerance)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << at(picture, x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The bounds of the caption-yellow pixels within `area`.
std::optional<Box> yellowBounds(const Picture& picture, Box area) {
    std::optional<Box> bounds;
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x) {
            if (!isCaptionYellow(at(picture, x, y))) continue;
            if (!bounds) bounds = Box{x, y, x, y};
            bounds = Box{std::min(bounds->left, x), std::min(bounds->top, y),
                         std::max(bounds->right, x), std::max(bounds->bottom, y)};
        }
    }
    return bounds;
}

bool within(Box found, Box expected, int slack) {
    return std::abs(found.left - expected.left) <= slack &&
           std::abs(found.top - expected.top) <= slack &&
           std::abs(found.right - expected.right) <= slack &&
           std::abs(found.bottom - expected.bottom) <= slack;
}

Picture decoded(std::span<const std::uint8_t> jpeg) {
    auto picture = decodePicture(jpeg);
    if (!picture) {
        ADD_FAILURE() << "a built-in picture does not decode";
        return Picture{1, 1, {0, 0, 0}};
    }
    return *std::move(picture);
}

class WindowPictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        header = new Picture(decoded(headerPicture));
        selection = new Picture(decoded(selectionPanelPicture));
        result = new Picture(decoded(resultPanelPicture));
        links = new Picture(decoded(linksPanelPicture));
        queryButton = new Picture(decoded(queryButtonPicture));
    }
    static void TearDownTestSuite() {
        for (Picture* picture : {header, selection, result, links, queryButton}) delete picture;
    }
    static inline Picture* header = nullptr;
    static inline Picture* selection = nullptr;
    static inline Picture* result = nullptr;
    static inline Picture* links = nullptr;
    static inline Picture* queryButton = nullptr;
};

TEST_F(WindowPictures, EachDecodesToTheSizeOfItsControl) {
    struct Case {
        const char* name;
        const Picture* picture;
        int width, height;
    };
    const Case cases[] = {{"header", header, 540, 88},
                          {"selection panel", selection, 540, 178},
                          {"result panel", result, 540, 120},
                          {"links panel", links, 540, 214},
                          {"query button", queryButton, 127, 65}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.picture->width, c.width) << c.name;
        EXPECT_EQ(c.picture->height, c.height) << c.name;
    }
}

// The drop-down lists, the suggested formation and the query button are placed over these
// areas, so each must lie exactly where the controls are.
TEST_F(WindowPictures, DarkFieldsLieUnderTheSelectorsAndTheSuggestedFormation) {
    struct Case {
        const char* under;
        const Picture* picture;
        Box inside;
    };
    const Case cases[] = {
        {"等级", selection, {190, 99, 302, 119}},
        {"种类", selection, {190, 143, 302, 163}},
        {"元素3", result, {194, 62, 464, 93}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(allNear(*c.picture, c.inside, darkField, 4)) << c.under;
    }
}

TEST_F(WindowPictures, CaptionsStandLeftOfTheirFields) {
    struct Case {
        const char* caption;
        const Picture* picture;
        Box searched;
        Box expected;
    };
    const Case cases[] = {
        {"请选择野怪等级：", selection, {60, 92, 187, 126}, {79, 100, 179, 118}},
        {"请选择野怪种类：", selection, {60, 136, 187, 170}, {80, 144, 179, 162}},
        {"最佳布阵为：", result, {63, 55, 187, 101}, {78, 68, 172, 87}},
    };
    for (const Case& c : cases) {
        const auto bounds = yellowBounds(*c.picture, c.searched);
        ASSERT_TRUE(bounds) << c.caption;
        EXPECT_PRED3(within, *bounds, c.expected, 2) << c.caption;
    }
}

TEST_F(WindowPictures, PlainBoardLiesWhereTextAndTheQueryButtonStand) {
    struct Case {
        const char* what;
        const Picture* picture;
        Box area;
    };
    const Case cases[] = {
        {"banner text of 透明标签3", selection, {65, 25, 465, 86}},
        {"按钮1", selection, {337, 96, 465, 161}},
        {"result lines 透明标签1 to 元素2", result, {95, 14, 425, 38}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(allNear(*c.picture, c.area, board, 6)) << c.what;
    }
}

TEST_F(WindowPictures, HeaderPlaqueCarriesTheTitle) {
    const auto bounds = yellowBounds(*header, {47, 20, 492, 47});
    ASSERT_TRUE(bounds);
    EXPECT_PRED3(within, *bounds, (Box{51, 26, 489, 41}), 2);
}

TEST_F(WindowPictures, QueryButtonShowsItsWordOnBoardGround) {
    const auto bounds = yellowBounds(*queryButton, {12, 10, 114, 54});
    ASSERT_TRUE(bounds);
    EXPECT_PRED3(within, *bounds, (Box{38, 18, 89, 35}), 2);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{126, 0}, std::pair{0, 64}}) {
        EXPECT_PRED3(near, at(*queryButton, x, y), board, 6) << x << ", " << y;
    }
}

// Stacked as the window places them, the panels form one board: at each seam the frame, the
// board's border and the board itself run on from the row above to the row below.
TEST_F(WindowPictures, PanelsJoinIntoOneFramedBoard) {
    struct Seam {
        const char* name;
        const Picture* upper;
        int upperRow;
        const Picture* lower;
        int lowerRow;
        bool boardOnBothSides;
    };
    const Seam seams[] = {
        {"header / selection panel", header, 87, selection, 0, false},
        {"selection / result panel", selection, 177, result, 0, true},
        // The result panel hides the first 65 rows of the links panel.
        {"result / links panel", result, 119, links, 65, true},
    };
    const int frameColumns[] = {15, 524};
    const int boardColumns[] = {20, 270, 519};
    for (const Seam& s : seams) {
        for (const int x : frameColumns) {
            EXPECT_PRED3(near, at(*s.upper, x, s.upperRow), at(*s.lower, x, s.lowerRow), 12)
                << s.name << ", column " << x;
        }
        if (!s.boardOnBothSides) continue;
        for (const int x : boardColumns) {
            EXPECT_PRED3(near, at(*s.upper, x, s.upperRow), at(*s.lower, x, s.lowerRow), 12)
                << s.name << ", column " << x;
        }
    }
}

}  // namespace
