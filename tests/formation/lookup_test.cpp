#include "formation/lookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/lifecycle.h"

namespace {

using namespace std::string_literals;

constexpr const char* hunter = "\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6";  // 暗风猎手
constexpr const char* brute = "\xd0\xb0\xd4\xc2\xc2\xf9\xb1\xf8";   // 邪月蛮兵
constexpr const char* gunner = "\xb6\xf1\xc0\xd7\xc5\xda\xca\xd6";  // 恶雷炮手
constexpr const char* lich = "\xba\xda\xce\xed\xce\xd7\xd1\xfd";    // 黑雾巫妖

class LookupFormation : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { onMainWindowCreated(); }
    static void TearDownTestSuite() { releaseTables(); }
};

TEST_F(LookupFormation, FindsTheRowOfKindAndLevel) {
    struct Case {
        const char* kind;
        const char* level;
        FormationRow row;
    };
    const Case cases[] = {
        {hunter,
         "10",
         {"240", "\xb9\xad\xb9\xad\xc4\xa7\xc5\xda", "\xc5\xda\xc4\xa7\xb9\xad\xb2\xbd"}},
        // The last cells, 31 to 33; 魔歩弓炮 keeps its 9A 69.
        {lich,
         "110",
         {"96120", "\xb2\xbd\xc5\xda\xc4\xa7\xc4\xa7", "\xc4\xa7\x9a\x69\xb9\xad\xc5\xda"}},
        {gunner,
         "100",
         {"81680", "\xc5\xda\xc5\xda\xb2\xbd\xb9\xad", "\x9a\x69\xc5\xda\xc4\xa7\xb9\xad"}},
        // Rows 1 and 5 of 邪月蛮兵 repeat their formations with other troop counts.
        {brute,
         "10",
         {"240", "\xb2\xbd\xb2\xbd\xc4\xa7\xc5\xda", "\xc4\xa7\xb2\xbd\xb9\xad\xc5\xda"}},
        {brute,
         "50",
         {"19600", "\xb2\xbd\xb2\xbd\xc4\xa7\xc5\xda", "\xc4\xa7\xb2\xbd\xb9\xad\xc5\xda"}},
        {hunter,
         "40",
         {"12400", "\xb9\xad\xc4\xa7\xb2\xbd\xb9\xad", "\xc5\xda\xb9\xad\xc4\xa7\x9a\x69"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lookupFormation(c.kind, c.level), c.row) << c.level;
    }
}

TEST_F(LookupFormation, KindMustMatchByteForByte) {
    const std::string kind = hunter;
    for (const std::string& text : {" "s + kind, kind + " ", kind.substr(0, 7) + "\xd7", ""s,
                                    kind.substr(0, 6), kind + "\xb0\xb5"}) {
        EXPECT_EQ(lookupFormation(text, "10"), std::nullopt) << text;
    }
}

TEST_F(LookupFormation, ZeroByteEndsTheTexts) {
    EXPECT_TRUE(lookupFormation(std::string(hunter) + "\0junk"s, "20\0"s + "999"));
    EXPECT_EQ(lookupFormation(std::string(hunter) + "\0junk"s, "\0"s + "20"), std::nullopt);
}

TEST_F(LookupFormation, LevelTextsThatMeanRowTwo) {
    for (const char* level : {"20",
                              "  20",
                              "\t\t20",
                              "20  ",
                              "20\xbc\xb6" /* 20级 */,
                              "20.0",
                              "+20",
                              "2e1",
                              "200e-1",
                              "2d1",
                              "2D1",
                              "2E+1",
                              "\xa3\xb2\xa3\xb0" /* ２０ */,
                              "\xa1\xa1"
                              "20" /* ideographic space */,
                              "20.",
                              "020",
                              "19.99999999",
                              "20.00000009",
                              "0.2e2",
                              "\xa3\xab\xa3\xb2\xa3\xb0" /* ＋２０ */}) {
        const auto row = lookupFormation(lich, level);
        ASSERT_TRUE(row) << level;
        EXPECT_EQ(row->totalTroops, "2080") << level;
    }
}

TEST_F(LookupFormation, LevelTextsThatMatchNothing) {
    for (const char* level :
         {"", "0", "5", "15", "115", "120", "-10", "-20", "a20",
          "\xbc\xb6"
          "20",
          "1e999", "-1e999", "10.000001", "+ 20", "20.0000002", ".", "e1", "\xa3\xb2"}) {
        EXPECT_EQ(lookupFormation(hunter, level), std::nullopt) << level;
    }
}

TEST_F(LookupFormation, ToleranceIsAtMostOneTenMillionth) {
    EXPECT_TRUE(lookupFormation(hunter, "10.00000001"));
    EXPECT_TRUE(lookupFormation(hunter, "9.99999991"));
    EXPECT_FALSE(lookupFormation(hunter, "10.00000011"));
    EXPECT_FALSE(lookupFormation(hunter, "10.000001"));
}

TEST(LookupFormationBeforeTablesAreFilled, FindsNothing) {
    EXPECT_EQ(lookupFormation(hunter, "10"), std::nullopt);
}

TEST(TextToNumber, ConvertsTheLeadingNumber) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"  \t\n\v\f\r42", 42.0},
        {"-7.5", -7.5},
        {"+.5", 0.5},
        {"5.", 5.0},
        {"1.2.3", 1.2},
        {"3e2", 300.0},
        {"3E-2", 0.03},
        {"3d2", 300.0},
        {"3D+2", 300.0},
        {"3e", 3.0},
        {"3e+", 3.0},
        {"3ex", 3.0},
        {"0.1", 0.1},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"0.000000000000000000000000000000000000000001e42", 1.0},
        {"1e308", 1e308},
        {"1e309", inf},
        {"-1e400", -inf},
        {"1e99999999999999999999999", inf},
        {"1e-400", 0.0},
        {"2.4703282292062328e-324", 4.9406564584124654e-324},  // rounds up to the least denormal
        {"\xa3\xad\xa3\xb3\xa3\xae\xa3\xb5", -3.5},            // －３．５
        {"\xa3\xb1\xa3\xe5\xa3\xb2", 100.0},                   // １ｅ２
        {"\xa1\xa1\xa1\xa1"
         "7",
         7.0},  // two ideographic spaces
        {"\xa1\xab"
         "7",
         0.0},           // ～ is folded to ~, not a sign
        {"7\xa3", 7.0},  // lone lead byte at the end
        {"\xa3", 0.0},
        {"\x81"
         "5",
         0.0},                                     // 81 35 is one two-byte character, not a digit
        {"9007199254740993", 9007199254740992.0},  // ties to even
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textToNumber(c.text), c.value) << c.text;
    }
}

TEST(TextToNumber, KeepsTheSignOfZeroAndInfinity) {
    EXPECT_TRUE(std::signbit(textToNumber("-0")));
    EXPECT_TRUE(std::signbit(textToNumber("-1e-999")));
    EXPECT_FALSE(std::signbit(textToNumber("0")));
    EXPECT_EQ(textToNumber("-1e999"), -std::numeric_limits<double>::infinity());
}

TEST(TextToNumber, ReadsAVeryLongMantissaExactly) {
    // 0.1 written with a million more zeros than needed still rounds to the double nearest 0.1.
    const std::string text = "0.1" + std::string(1'000'000, '0') + "1";
    EXPECT_EQ(textToNumber(text), 0.1);
    EXPECT_EQ(textToNumber("1" + std::string(400, '0') + "e-400"), 1.0);
}

}  // namespace
