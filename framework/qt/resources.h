// Bitmaps and icons of the program, by resource id. Private to the framework.
#pragma once

#include "store/wintypes.h"

#include <QIcon>
#include <QPixmap>

QPixmap LoadBitmapResource(UINT id); // null when there is none
QIcon LoadIconResource(UINT id);
