#pragma once
// Medians and the summary lines that scripts/bench.sh gathers into its final table:
//   figure|<what>|<value>|<goal>|<met or MISSED>

#include <algorithm>
#include <cstdio>
#include <vector>

// The value below which `fraction` of the values lie, interpolated.
inline double quantile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double place = fraction * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(place);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (place - static_cast<double>(below));
}

inline double median(const std::vector<double>& values) {
    return quantile(values, 0.5);
}

inline const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

inline void printFigure(const char* what, const char* value, const char* goal = "-",
                        const char* judged = "-") {
    std::printf("figure|%s|%s|%s|%s\n", what, value, goal, judged);
}
