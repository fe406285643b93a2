#include "store/text_util.h"

namespace text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUnit(std::string& out, char16_t unit, bool littleEndian) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    out += littleEndian ? low : high;
    out += littleEndian ? high : low;
}

// The code point at `i`, moving `i` past it.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const size_t length = Utf8SequenceLength(static_cast<unsigned char>(s[i]));
    if (length == 0 || s.size() - i < length) {
        ++i;
        return kReplacement;
    }
    char32_t c = length == 1 ? static_cast<unsigned char>(s[i])
                             : static_cast<unsigned char>(s[i]) & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            i += k;
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += length;
    return c;
}

} // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool littleEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = NextCodePoint(utf8, i);
        if (c < 0x10000) {
            AppendUnit(out, static_cast<char16_t>(c), littleEndian);
        } else {
            c -= 0x10000;
            AppendUnit(out, static_cast<char16_t>(0xD800 + (c >> 10)), littleEndian);
            AppendUnit(out, static_cast<char16_t>(0xDC00 + (c & 0x3FF)), littleEndian);
        }
    }
    return out;
}

} // namespace text
