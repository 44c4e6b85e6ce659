#include "formation/formation_table.h"

#include <cstring>

FormationTable::FormationTable(std::span<const char* const> source) {
    cells.reserve(source.size());
    for (const char* text : source) {
        if (!text) {
            cells.emplace_back();
            continue;
        }
        const std::size_t bytes = std::strlen(text) + 1;
        auto copy = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(copy.get(), text, bytes);
        cells.push_back(std::move(copy));
    }
}

FormationTable& FormationTable::operator=(FormationTable&& other) noexcept {
    if (this != &other) {
        release();
        cells = std::move(other.cells);
        other.cells.clear();
    }
    return *this;
}

std::string_view FormationTable::cell(std::size_t number) const {
    const char* text = storageOf(number);
    return text ? std::string_view(text) : std::string_view();
}

const char* FormationTable::storageOf(std::size_t number) const {
    if (number < 1 || number > cells.size()) return nullptr;
    return cells[number - 1].get();
}

void FormationTable::release() noexcept {
    for (auto& text : cells) text.reset();
    cells.clear();
    cells.shrink_to_fit();
}
