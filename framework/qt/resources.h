// Bitmaps and icons of the program, by resource id. Private to the framework.
#pragma once

#include "store/wintypes.h"

#include <QIcon>
#include <QPixmap>

QPixmap LoadBitmapResource(UINT id); // null when there is none
// A window's icon stops at 64 pixels: the window manager is handed every size at once, and
// larger ones only cost start-up.
constexpr int kWindowIconLargest = 64;
QIcon LoadIconResource(UINT id, int largest = 256);
