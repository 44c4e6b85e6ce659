#pragma once
// The four built-in formation tables, one per monster kind, as GBK texts.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr int levelRowCount = 11;
inline constexpr int cellsPerRow = 3;
inline constexpr std::size_t formationCellCount = levelRowCount * cellsPerRow;
inline constexpr std::size_t monsterKindCount = 4;

// One kind's constant cells, cell 1 at index 0. A cell may be null (no text); the built-in
// tables have none.
using ConstantTable = std::array<const char*, formationCellCount>;

// Kept as GBK bytes: the lookup compares exactly what the tables hold.
extern const std::array<std::string_view, monsterKindCount> monsterKinds;
extern const std::array<ConstantTable, monsterKindCount> constantTables;

struct FormationRow {
    std::string totalTroops;
    std::string enemyFormation;
    std::string suggestedFormation;

    bool operator==(const FormationRow&) const = default;
};
