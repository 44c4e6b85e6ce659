#pragma once

#include <string>
#include <string_view>

#include "ui/control_table.h"

// The narrow view of the window that the query needs; texts in and out are GBK bytes.
struct ControlTexts {
    // The selected item of a list, or a label's caption; empty when there is none.
    virtual std::string text(ControlId id) const = 0;
    // Sets a label's caption and shows it at once.
    virtual void setText(ControlId id, std::string_view gbk) = 0;

  protected:
    ~ControlTexts() = default;
};

// The click of the query button: shows the row for the selected kind and level, or leaves the
// labels as they are when there is none.
void onQueryClicked(ControlTexts& window);
