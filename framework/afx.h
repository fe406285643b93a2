// What the program's dialogs and application object are written against.
#pragma once

#include "ddx.h"
#include "dialog.h"
#include "msgbox.h"
#include "winapp.h"
#include "wintypes_ui.h"
