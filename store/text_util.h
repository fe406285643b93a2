// Small text helpers the store's parsers share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowered(std::string_view s) {
    std::string lower(s);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

// `s` between two `quote`s, each `quote` inside it doubled (SQL identifiers, CSV fields).
inline std::string Quoted(std::string_view s, char quote) {
    std::string quoted(1, quote);
    for (char c : s) {
        if (c == quote)
            quoted += quote;
        quoted += c;
    }
    return quoted + quote;
}

// Equal but for the case of ASCII letters.
inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

// Length of the sequence a lead byte opens; 0 for a byte that cannot lead one.
inline size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead < 0xE0)
        return 2;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xF0 && lead < 0xF5)
        return 4;
    return 0;
}

inline bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t length = Utf8SequenceLength(static_cast<unsigned char>(s[i]));
        if (length == 0 || s.size() - i < length)
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// UTF-16 bytes (little- or big-endian, no byte-order mark) as UTF-8; a lone surrogate
// becomes U+FFFD and an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian);
// UTF-8 as UTF-16 bytes; a byte that cannot be read as UTF-8 becomes U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, bool littleEndian);

} // namespace text
