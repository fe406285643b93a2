// The skin library's four entry points, as start-up calls them (ordinals 1, 3, 5, 8).
// A skin file holds a Qt style sheet; without one everything looks as Qt draws it.
#pragma once

#include "framework/winapp.h"
#include "framework/wintypes_ui.h"

BOOL SkinInit(HINSTANCE instance, const char* appName, int reserved1, int reserved2); // ordinal 1
BOOL SkinLoadFile(const char* path); // ordinal 3; path relative to the current directory
BOOL SkinSetWindowSkin(HWND window, const char* part); // ordinal 5
BOOL SkinSetDialogSkin(const char* part);              // ordinal 8

// Eye-friendly colours (护眼模式: soft green paper, dark text) over the skin, or the skin
// alone; windows open from now on take them, and so do the ones already open.
void SkinSetEyeProtection(bool on);
