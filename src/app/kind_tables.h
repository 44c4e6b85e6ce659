#pragma once

#include <array>

#include "formation/formation_table.h"
#include "formation/tables.h"

// The process-wide tables, one per monster kind in the order of `monsterKinds`: empty until the
// main window has been created, then private copies of the constant tables until the program ends.
extern std::array<FormationTable, monsterKindCount> kindTables;
