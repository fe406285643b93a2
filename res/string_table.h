// String resources.
#pragma once

#include "store/wintypes.h"

#include <string>

// The string with that id; empty when there is none.
std::string LoadResourceString(UINT id);
