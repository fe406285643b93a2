#include "spelling_answer.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80"; // U+3000

// Length of the blank that starts `s`, 0 when none.
size_t LeadingBlank(std::string_view s) {
    if (s.empty())
        return 0;
    if (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n')
        return 1;
    return s.starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

size_t TrailingBlank(std::string_view s) {
    if (s.empty())
        return 0;
    if (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')
        return 1;
    return s.ends_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

} // namespace

std::string NormalizeSpelling(std::string_view text) {
    while (size_t n = LeadingBlank(text))
        text.remove_prefix(n);
    while (size_t n = TrailingBlank(text))
        text.remove_suffix(n);
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsRightSpelling(std::string_view typed, std::string_view stored) {
    return NormalizeSpelling(typed) == NormalizeSpelling(stored);
}
