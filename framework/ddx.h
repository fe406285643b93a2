// Data exchange between members and controls, as UpdateData runs it.
#pragma once

#include "framework/dialog.h"

// A check box and an int flag; a value outside 0..2 is shown as unchecked (and becomes 0).
void DDX_Check(CDataExchange* dx, int id, int& value);

// An edit and an unsigned number. Reading back text that is not an unsigned number shows
// the prompt for a positive whole number and fails the exchange.
void DDX_Text(CDataExchange* dx, int id, UINT& value);

extern const char* const kPromptPositiveNumber;
