// Arbitrary kind and level texts through lookupFormation and textToNumber. The input is the kind
// text, a byte FF, then the level text; GBK never uses FF, so the split hides no kind worth
// trying. Without an FF the whole input is the kind and the level is empty.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "app/lifecycle.h"
#include "formation/lookup.h"
#include "formation/tables.h"

namespace {

[[noreturn]] void fail(const char* what, std::string_view kind, std::string_view level) {
    std::fprintf(stderr, "lookup fuzzer: %s (kind %zu bytes, level %zu bytes)\n", what, kind.size(),
                 level.size());
    std::abort();
}

std::string_view untilZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// A second, plain folding of full-width forms for the reference below: bytes below 0x80 kept,
// others taken in pairs, A3 A1 to A3 FE turned into ASCII, a lone lead byte at the end dropped.
std::string folded(std::string_view text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            out += text[at++];
            continue;
        }
        if (at + 1 == text.size()) break;
        const auto trail = static_cast<unsigned char>(text[at + 1]);
        at += 2;
        if (lead == 0xA3 && trail >= 0xA1 && trail != 0xFF) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            out += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out += '*';
        } else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

// The number at the start of a folded text, cut out and spelled the way strtod reads it (a d
// exponent becomes e), or nothing when there is no mantissa digit. Bytes of two-byte characters
// never continue a number: the lead byte, 0x80 or above, ends it first.
std::optional<std::string> plainNumber(std::string_view text) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = at;
    if (text[at] == '+' || text[at] == '-') ++at;
    bool digit = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (isAsciiDigit(text[at])) {
            digit = true;
        } else if (text[at] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) return std::nullopt;
    std::string number(text.substr(start, at - start));
    if (at < text.size() && std::string_view("eEdD").find(text[at]) != std::string_view::npos) {
        std::size_t digits = at + 1;
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
        std::size_t end = digits;
        while (end < text.size() && isAsciiDigit(text[end])) ++end;
        if (end > digits) number += "e" + std::string(text.substr(at + 1, end - at - 1));
    }
    return number;
}

// The process never calls setlocale, so strtod works in the "C" locale.
void checkAgainstStrtod(std::string_view kind, std::string_view level, double value) {
    const auto number = plainNumber(folded(untilZero(level)));
    if (!number) return;
    char* end = nullptr;
    const double expected = std::strtod(number->c_str(), &end);
    if (end != number->c_str() + number->size()) fail("strtod stopped early", kind, level);
    if (value != expected || std::signbit(value) != std::signbit(expected)) {
        std::fprintf(stderr, "textToNumber(\"%s\") = %.17g, strtod gives %.17g\n", number->c_str(),
                     value, expected);
        fail("textToNumber differs from strtod", kind, level);
    }
}

// The row that the tables hold for a kind and a level value, worked out from the constant tables.
std::optional<FormationRow> expectedRow(std::string_view kind, double level) {
    const auto found = std::find(monsterKinds.begin(), monsterKinds.end(), untilZero(kind));
    if (found == monsterKinds.end()) return std::nullopt;
    const ConstantTable& table =
        constantTables[static_cast<std::size_t>(found - monsterKinds.begin())];
    for (std::size_t row = 1; row <= levelRowCount; ++row) {
        if (std::fabs(10.0 * static_cast<double>(row) - level) > 1e-7) continue;
        const std::size_t first = (row - 1) * cellsPerRow;
        return FormationRow{table[first], table[first + 1], table[first + 2]};
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    onMainWindowCreated();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\xff'), input.size());
    const std::string_view kind = input.substr(0, split);
    const std::string_view level = split < input.size() ? input.substr(split + 1) : "";

    const double value = textToNumber(level);
    if (std::isnan(value)) fail("textToNumber gave NaN", kind, level);
    checkAgainstStrtod(kind, level, value);

    const auto row = lookupFormation(kind, level);
    if (row != expectedRow(kind, value)) fail("lookupFormation gave another row", kind, level);
    return 0;
}
