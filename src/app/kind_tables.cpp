#include "app/kind_tables.h"

std::array<FormationTable, monsterKindCount> kindTables;
