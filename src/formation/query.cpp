#include "formation/query.h"

#include "formation/lookup.h"

void onQueryClicked(ControlTexts& window) {
    const std::string kindText = window.text(ControlId::kindList);
    const std::string levelText = window.text(ControlId::levelList);
    const auto row = lookupFormation(kindText, levelText);
    if (!row) return;
    window.setText(ControlId::totalTroopsLabel, row->totalTroops);
    window.setText(ControlId::enemyFormationLabel, row->enemyFormation);
    window.setText(ControlId::suggestedFormationLabel, row->suggestedFormation);
}
