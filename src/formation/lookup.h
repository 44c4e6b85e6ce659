#pragma once

#include <optional>
#include <string_view>

#include "formation/tables.h"

// The row of `kindTables` for a kind text and a level text, or nothing when the kind is not one of
// `monsterKinds` or the level is not within 1e-7 of 10, 20, ..., 110. A zero byte ends either text.
std::optional<FormationRow> lookupFormation(std::string_view kindText, std::string_view levelText);

// The number at the start of a GBK text, after folding full-width forms; 0.0 when there is none.
double textToNumber(std::string_view text);
