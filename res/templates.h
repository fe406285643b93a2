// The program's dialog templates, registered with the framework at start-up.
#pragma once

#include "framework/dialog_template.h"

const DialogTemplate* ProgramDialogTemplate(UINT id);
