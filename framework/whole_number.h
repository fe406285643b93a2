// Reading a whole number typed into an edit control. Private to the framework.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Blanks around, an optional minus (when signed), digits, nothing else, and within the
// 32-bit range of the signed or unsigned type; nothing otherwise.
inline std::optional<std::int64_t> ParseWholeNumber(std::string_view text, bool isSigned) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    const bool negative = isSigned && !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    const std::int64_t limit = isSigned ? (negative ? 0x80000000LL : 0x7FFFFFFFLL) : 0xFFFFFFFFLL;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return negative ? -value : value;
}
