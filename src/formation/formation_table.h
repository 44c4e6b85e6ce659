#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

// One kind's table as the program holds it: cells numbered from 1, each owning its own text or
// holding none. Nothing is shared with another cell, another table or the constant data, so every
// text is released exactly once.
class FormationTable {
  public:
    FormationTable() = default;  // the empty table, 0 cells
    // Copies every text, terminating zero included; a null source cell stays without text.
    explicit FormationTable(std::span<const char* const> source);

    FormationTable(FormationTable&& other) noexcept = default;
    // Releases the texts held so far, in cell order, then takes the other table's.
    FormationTable& operator=(FormationTable&& other) noexcept;
    FormationTable(const FormationTable&) = delete;
    FormationTable& operator=(const FormationTable&) = delete;
    ~FormationTable() { release(); }

    std::size_t size() const { return cells.size(); }
    // The text of cell `number` (1-based); a cell without text, or outside the table, reads empty.
    std::string_view cell(std::size_t number) const;
    // Where the text of cell `number` is stored, or null when it has none.
    const char* storageOf(std::size_t number) const;

  private:
    void release() noexcept;

    std::vector<std::unique_ptr<char[]>> cells;
};
