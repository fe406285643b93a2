// Message boxes captioned with the application's name.
#pragma once

#include "framework/wintypes_ui.h"

#include <string>

// Shows `text` with an OK button and waits for it (IDOK), or with MB_YESNO asks and
// returns IDYES or IDNO; MB_DEFBUTTON2 makes "否" the default, and Esc answers "否".
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
