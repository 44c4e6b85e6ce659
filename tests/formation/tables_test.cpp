#include "formation/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// Expectations are written out here, independent of the tables under test.
constexpr std::string_view bow = "\xb9\xad";      // 弓
constexpr std::string_view magic = "\xc4\xa7";    // 魔
constexpr std::string_view cannon = "\xc5\xda";   // 炮
constexpr std::string_view foot = "\xb2\xbd";     // 步
constexpr std::string_view footAlt = "\x9a\x69";  // 歩

constexpr std::string_view troopCounts[] = {"240",   "2080",  "5880",  "12400", "19600", "28520",
                                            "39160", "51560", "65720", "81680", "96120"};

std::string_view cellOf(std::size_t kind, int row, int column) {
    return constantTables[kind][static_cast<std::size_t>((row - 1) * 3 + column)];
}

int signIndex(std::string_view sign) {
    if (sign == bow) return 0;
    if (sign == magic) return 1;
    if (sign == cannon) return 2;
    if (sign == foot || sign == footAlt) return 3;
    return -1;
}

// Counts of 弓, 魔, 炮, 步 (歩 counted as 步) in a formation; empty if it is not four signs.
std::array<int, 4> signCounts(std::string_view formation) {
    std::array<int, 4> counts{};
    if (formation.size() != 8) return {};
    for (std::size_t at = 0; at < 8; at += 2) {
        const int index = signIndex(formation.substr(at, 2));
        if (index < 0) return {};
        ++counts[static_cast<std::size_t>(index)];
    }
    return counts;
}

TEST(FormationTables, KindTextsAreTheirGbkBytes) {
    EXPECT_EQ(monsterKinds[0], "\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6");  // 暗风猎手
    EXPECT_EQ(monsterKinds[1], "\xd0\xb0\xd4\xc2\xc2\xf9\xb1\xf8");  // 邪月蛮兵
    EXPECT_EQ(monsterKinds[2], "\xb6\xf1\xc0\xd7\xc5\xda\xca\xd6");  // 恶雷炮手
    EXPECT_EQ(monsterKinds[3], "\xba\xda\xce\xed\xce\xd7\xd1\xfd");  // 黑雾巫妖
}

TEST(FormationTables, TroopCountsAreTheSameForEveryKind) {
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        for (int row = 1; row <= levelRowCount; ++row) {
            EXPECT_EQ(cellOf(kind, row, 0), troopCounts[row - 1]) << "kind " << kind + 1;
        }
    }
}

TEST(FormationTables, EnemyFormationsHoldThreeSignsOneOfThemTwice) {
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        for (int row = 1; row <= levelRowCount; ++row) {
            const std::string_view formation = cellOf(kind, row, 1);
            auto counts = signCounts(formation);
            std::sort(counts.begin(), counts.end());
            EXPECT_EQ(counts, (std::array<int, 4>{0, 1, 1, 2}))
                << "kind " << kind + 1 << " row " << row;
            EXPECT_EQ(formation.find(footAlt.substr(0, 1)), std::string_view::npos);
        }
    }
}

TEST(FormationTables, SuggestedFormationsHoldEverySignOnce) {
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        for (int row = 1; row <= levelRowCount; ++row) {
            EXPECT_EQ(signCounts(cellOf(kind, row, 2)), (std::array<int, 4>{1, 1, 1, 1}))
                << "kind " << kind + 1 << " row " << row;
        }
    }
}

TEST(FormationTables, TwelveSuggestedFormationsWriteFootWithTheVariantSign) {
    struct Place {
        std::size_t kind;
        int row;
    };
    const Place places[] = {{0, 4},  {1, 7},  {1, 8}, {1, 11}, {2, 2}, {2, 6},
                            {2, 10}, {2, 11}, {3, 2}, {3, 3},  {3, 7}, {3, 11}};
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        for (int row = 1; row <= levelRowCount; ++row) {
            const bool expected = std::any_of(std::begin(places), std::end(places), [&](Place p) {
                return p.kind == kind && p.row == row;
            });
            const std::string_view suggested = cellOf(kind, row, 2);
            const bool hasVariant = suggested.find(footAlt) != std::string_view::npos;
            EXPECT_EQ(hasVariant, expected) << "kind " << kind + 1 << " row " << row;
        }
    }
    EXPECT_EQ(cellOf(2, 10, 2), "\x9a\x69\xc5\xda\xc4\xa7\xb9\xad");  // 歩炮魔弓
}

}  // namespace
