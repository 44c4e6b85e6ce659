#pragma once
// The main window as data: its sixteen controls, their styles, the list items and the focus order.
// Texts are GBK bytes.

#include <array>
#include <cstdint>
#include <string_view>

// The control id is the row of the control table; the window definition's name stands beside it.
enum class ControlId : int {
    window = 0,
    bannerLabel = 1,              // 透明标签3
    gameGuidesButton = 2,         // 按钮4
    officialForumButton = 3,      // 按钮3
    moreToolsButton = 4,          // 按钮2
    suggestedFormationLabel = 5,  // 元素3
    enemyFormationLabel = 6,      // 元素2
    totalTroopsLabel = 7,         // 元素1
    enemyFormationCaption = 8,    // 透明标签2
    totalTroopsCaption = 9,       // 透明标签1
    queryButton = 10,             // 按钮1
    kindList = 11,                // 种类
    levelList = 12,               // 等级
    resultPanel = 13,             // 图片框3
    selectionPanel = 14,          // 图片框2
    headerPanel = 15,             // 图片框1
    linksPanel = 16,              // 图片框4
};

inline constexpr int controlCount = 16;

enum class ControlKind { pushButton, pictureButton, dropDownList, pictureBox, transparentLabel };

struct Place {
    int x;
    int y;
    int width;
    int height;
};

struct ControlDefinition {
    ControlId id;
    ControlKind kind;
    ControlId parent;
    Place place;  // in the parent's client area; a list's height is with the list open
    bool tabStop;
    std::string_view text;
};

// The banner ends with two spaces and the site's host, added when the window is built.
inline constexpr std::string_view bannerText =
    "\xd1\xe3\xc7\xf0\xb3\xc7\xb0\xee\xd2\xb0\xb9\xd6\xcc\xec\xcc\xec\xd2\xaa\xb4\xf2\xa3\xac"
    "\xb5\xab\xca\xc7\xc8\xe7\xba\xce\xb2\xc5\xc4\xdc\xcb\xf0\xca\xa7\xd7\xee\xd0\xa1\xa3\xbf"
    "\xd1\xe3\xc7\xf0\xb3\xc7\xb0\xee\xd2\xb0\xb9\xd6\xb2\xbc\xd5\xf3\xb1\xf8\xc1\xa6\xb2\xe9"
    "\xd1\xaf\xc6\xf7\xb0\xef\xc4\xe3\xd2\xbb\xbc\xfc\xd1\xa1\xd4\xf1\xd5\xf3\xc8\xdd\xa1\xa3"
    "  ";  // 雁丘城邦野怪天天要打，但是如何才能损失最小？雁丘城邦野怪布阵兵力查询器帮你一键选择阵容。

// The title ends with one space and the site's host.
inline constexpr std::string_view windowTitle =
    "\xd1\xe3\xc7\xf0\xb3\xc7\xb0\xee\xb4\xf2\xd2\xb0\xb2\xbc\xd5\xf3\xb2\xe9\xd1\xaf"
    " ";  // 雁丘城邦打野布阵查询

inline constexpr int windowWidth = 540;
inline constexpr int windowHeight = 562;

// Within each parent, a control listed earlier lies above every later sibling.
inline constexpr std::array<ControlDefinition, controlCount> controlTable = {{
    {ControlId::bannerLabel,
     ControlKind::transparentLabel,
     ControlId::selectionPanel,
     {65, 25, 400, 63},
     false,
     bannerText},
    {ControlId::gameGuidesButton,
     ControlKind::pushButton,
     ControlId::window,
     {200, 400, 144, 80},
     true,
     "\xd3\xce\xcf\xb7\xb9\xa5\xc2\xd4"},  // 游戏攻略
    {ControlId::officialForumButton,
     ControlKind::pushButton,
     ControlId::window,
     {344, 400, 144, 80},
     true,
     "\xb9\xd9\xb7\xbd\xc2\xdb\xcc\xb3"},  // 官方论坛
    {ControlId::moreToolsButton,
     ControlKind::pushButton,
     ControlId::linksPanel,
     {57, 79, 144, 80},
     true,
     "\xb8\xfc\xb6\xe0\xb8\xa8\xd6\xfa\xb9\xa4\xbe\xdf"},  // 更多辅助工具
    {ControlId::suggestedFormationLabel,
     ControlKind::transparentLabel,
     ControlId::resultPanel,
     {281, 62, 88, 32},
     false,
     "\xc5\xda\xc4\xa7\xb9\xad\xb2\xbd"},  // 炮魔弓步
    {ControlId::enemyFormationLabel,
     ControlKind::transparentLabel,
     ControlId::resultPanel,
     {353, 14, 72, 24},
     false,
     "\xb9\xad\xb9\xad\xc4\xa7\xc5\xda"},  // 弓弓魔炮
    {ControlId::totalTroopsLabel,
     ControlKind::transparentLabel,
     ControlId::resultPanel,
     {183, 14, 72, 24},
     false,
     "240"},
    {ControlId::enemyFormationCaption,
     ControlKind::transparentLabel,
     ControlId::resultPanel,
     {265, 14, 98, 24},
     false,
     "\xb5\xd0\xb7\xbd\xd5\xf3\xd0\xce\xce\xaa:"},  // 敌方阵形为:
    {ControlId::totalTroopsCaption,
     ControlKind::transparentLabel,
     ControlId::resultPanel,
     {95, 14, 98, 24},
     false,
     "\xb5\xd0\xb7\xbd\xd7\xdc\xb1\xf8\xca\xfd\xa3\xba"},  // 敌方总兵数：
    {ControlId::queryButton,
     ControlKind::pictureButton,
     ControlId::selectionPanel,
     {337, 96, 128, 65},
     true,
     "\xb0\xb4\xc5\xa5"},  // 按钮
    {ControlId::kindList,
     ControlKind::dropDownList,
     ControlId::window,
     {187, 227, 116, 160},
     true,
     ""},
    {ControlId::levelList,
     ControlKind::dropDownList,
     ControlId::selectionPanel,
     {188, 96, 116, 160},
     true,
     ""},
    {ControlId::resultPanel,
     ControlKind::pictureBox,
     ControlId::window,
     {-1, 266, 540, 120},
     false,
     ""},
    {ControlId::selectionPanel,
     ControlKind::pictureBox,
     ControlId::window,
     {-1, 88, 540, 178},
     false,
     ""},
    {ControlId::headerPanel,
     ControlKind::pictureBox,
     ControlId::window,
     {-1, 0, 540, 88},
     false,
     ""},
    {ControlId::linksPanel,
     ControlKind::pictureBox,
     ControlId::window,
     {-1, 321, 540, 214},
     false,
     ""},
}};

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// An empty face means the platform's default face.
struct FontSpec {
    std::string_view face;
    int height;  // character height in pixels, internal leading excluded
    int weight;
};

enum class FontRole { banner, caption, bigResult, list, count };

inline constexpr std::array<FontSpec, static_cast<std::size_t>(FontRole::count)> fontSpecs = {{
    {"\xbf\xac\xcc\xe5", 19, 400},  // 楷体
    {"", 14, 700},
    {"", 20, 700},
    {"", 19, 700},
}};

struct LabelStyle {
    ControlId id;
    Rgb color;
    FontRole font;
    bool wraps;  // wrapping labels start at the top; one-line labels are centred vertically
};

inline constexpr std::array<LabelStyle, 6> labelStyles = {{
    {ControlId::bannerLabel, {255, 255, 0}, FontRole::banner, true},
    {ControlId::totalTroopsCaption, {216, 216, 0}, FontRole::caption, false},
    {ControlId::enemyFormationCaption, {216, 216, 0}, FontRole::caption, false},
    {ControlId::totalTroopsLabel, {255, 255, 255}, FontRole::caption, false},
    {ControlId::enemyFormationLabel, {255, 255, 255}, FontRole::caption, false},
    {ControlId::suggestedFormationLabel, {255, 255, 255}, FontRole::bigResult, false},
}};

inline constexpr Rgb listTextColor = {255, 255, 255};
inline constexpr Rgb listBackground = {46, 43, 41};
inline constexpr int listItemExtraHeight = 2;

inline constexpr std::array<std::string_view, 11> levelItems = {"10", "20", "30", "40",  "50", "60",
                                                                "70", "80", "90", "100", "110"};

// Tab moves forward through this list and Shift+Tab back, wrapping at both ends.
inline constexpr std::array<ControlId, 6> focusOrder = {
    ControlId::levelList,           ControlId::kindList,
    ControlId::queryButton,         ControlId::moreToolsButton,
    ControlId::officialForumButton, ControlId::gameGuidesButton,
};

constexpr const ControlDefinition& definitionOf(ControlId id) {
    return controlTable[static_cast<std::size_t>(id) - 1];
}
