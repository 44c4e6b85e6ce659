#include "app/lifecycle.h"

#include "app/kind_tables.h"

void onMainWindowCreated() {
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        FormationTable copy(constantTables[kind]);
        kindTables[kind] = std::move(copy);
    }
}

void emptyTables() {
    for (FormationTable& table : kindTables) table = FormationTable();
}

// Emptying a table releases its texts in cell order, then the table itself.
void releaseTables() {
    emptyTables();
}
