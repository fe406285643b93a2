// Reads espeak-ng's British IPA, a line at a time, and writes each line in the textbook's
// notation (used by tools/make-yinbiao.sh).
#include "tools/phonetics.h"

#include <iostream>
#include <string>

int main() {
    for (std::string line; std::getline(std::cin, line);)
        std::cout << TextbookIpa(line) << '\n';
    return 0;
}
