// Reads espeak-ng's British IPA, a line at a time, and writes each line in the textbook's
// notation (used by tools/make-yinbiao.sh). A line may hold, after a TAB, the same text in the
// en-gb-x-rp voice, which decides the BATH vowel.
#include "tools/phonetics.h"

#include <iostream>
#include <string>
#include <string_view>

int main() {
    for (std::string line; std::getline(std::cin, line);) {
        const std::string_view text = line;
        const size_t tab = text.find('\t');
        std::cout << (tab == std::string_view::npos
                          ? TextbookIpa(text)
                          : TextbookIpa(text.substr(0, tab), text.substr(tab + 1)))
                  << '\n';
    }
    return 0;
}
