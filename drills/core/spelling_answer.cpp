#include "drills/core/spelling_answer.h"

#include "store/text_util.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80"; // U+3000

// ASCII blanks and full-width spaces, in any mix, from both ends.
std::string_view TrimBlanks(std::string_view s) {
    for (;;) {
        s = text::Trim(s);
        if (s.starts_with(kIdeographicSpace))
            s.remove_prefix(kIdeographicSpace.size());
        else if (s.ends_with(kIdeographicSpace))
            s.remove_suffix(kIdeographicSpace.size());
        else
            return s;
    }
}

} // namespace

std::string NormalizeSpelling(std::string_view typed) {
    return text::AsciiLowered(TrimBlanks(typed));
}

bool IsRightSpelling(std::string_view typed, std::string_view stored) {
    return NormalizeSpelling(typed) == NormalizeSpelling(stored);
}
