// What the program's dialogs and application object are written against.
#pragma once

#include "framework/ddx.h"
#include "framework/dialog.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"
#include "framework/wintypes_ui.h"
