// How a typed spelling is judged.
#pragma once

#include <string>
#include <string_view>

// Blanks, tabs and the full-width space trimmed from both ends; ASCII letters lowered.
// Every other character is kept as it is.
std::string NormalizeSpelling(std::string_view text);

// The typed text is right when it and the stored word normalise to the same text, so a
// stored "Monday" is answered by "monday" too.
bool IsRightSpelling(std::string_view typed, std::string_view stored);
