#include "formation/lookup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

#include "app/kind_tables.h"

namespace {

constexpr double levelStep = 10.0;
constexpr double matchTolerance = 1e-7;

// Beyond these decimal exponents a double is certainly infinite or zero, so the conversion never
// sees an exponent that does not fit.
constexpr long long overflowExponent = 400;
constexpr long long exponentSaturation = 1'000'000'000;

std::string_view untilZero(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

// Full-width digits, signs and letters (GBK A3 A1 to A3 FE) become their ASCII forms, so that a
// level typed with a Chinese input method still reads as a number.
std::string foldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            folded += static_cast<char>(lead);
            continue;
        }
        if (i + 1 == text.size()) break;  // a lead byte without its second byte is dropped
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA1 && trail == 0xA1) {
            folded += ' ';  // ideographic space
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded += '*';
        } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded += static_cast<char>(trail - 0x80);
        } else {
            folded += static_cast<char>(lead);
            folded += static_cast<char>(trail);
        }
    }
    return folded;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Reads [sign] digits [exponent] at `at` with saturation, or returns false when no digit follows.
bool readExponent(std::string_view text, std::size_t at, long long& exponent) {
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !isDigit(text[at])) return false;
    long long value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = std::min(value * 10 + (text[at] - '0'), exponentSaturation);
    }
    exponent = negative ? -value : value;
    return true;
}

double parseNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';

    // The mantissa as 0.<significant> x 10^scale, leading zeros dropped.
    std::string significant;
    long long scale = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            seenDigit = true;
            if (significant.empty() && c == '0') {
                if (seenPoint) --scale;
            } else {
                significant += c;
                if (!seenPoint) ++scale;
            }
        } else {
            break;
        }
    }
    const double zero = negative ? -0.0 : 0.0;
    if (!seenDigit) return 0.0;
    if (significant.empty()) return zero;

    long long exponent = 0;
    if (at < text.size() && isExponentLetter(text[at])) readExponent(text, at + 1, exponent);
    scale += exponent;

    const double infinity = std::numeric_limits<double>::infinity();
    if (scale > overflowExponent) return negative ? -infinity : infinity;
    if (scale < -overflowExponent) return zero;

    char exponentText[24] = {};
    const auto written = std::to_chars(std::begin(exponentText), std::end(exponentText), scale);
    const std::string decimal = "0." + significant + "e" + std::string(exponentText, written.ptr);
    double value = 0.0;
    const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(),
                                              value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) value = scale > 0 ? infinity : 0.0;
    return negative ? -value : value;
}

FormationRow rowOf(const FormationTable& table, int row) {
    const std::size_t first = static_cast<std::size_t>(row - 1) * cellsPerRow + 1;
    return {std::string(table.cell(first)), std::string(table.cell(first + 1)),
            std::string(table.cell(first + 2))};
}

}  // namespace

double textToNumber(std::string_view text) {
    return parseNumber(foldFullWidth(untilZero(text)));
}

std::optional<FormationRow> lookupFormation(std::string_view kindText, std::string_view levelText) {
    kindText = untilZero(kindText);
    const auto kind = std::find(monsterKinds.begin(), monsterKinds.end(), kindText);
    if (kind == monsterKinds.end()) return std::nullopt;
    const FormationTable& table = kindTables[static_cast<std::size_t>(kind - monsterKinds.begin())];

    const double level = textToNumber(levelText);
    for (int row = 1; row <= levelRowCount; ++row) {
        if (std::fabs(levelStep * row - level) > matchTolerance) continue;
        // Before the tables are filled there is no row to give.
        if (table.size() < static_cast<std::size_t>(row) * cellsPerRow) return std::nullopt;
        return rowOf(table, row);
    }
    return std::nullopt;
}
