// Message boxes captioned with the application's name.
#pragma once

#include "framework/wintypes_ui.h"

#include <string>

// Shows `text` with an OK button and waits for it; returns IDOK.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
