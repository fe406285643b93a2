// Bitmaps and icons of the program, by resource id. Private to the framework.
#pragma once

#include "store/wintypes.h"

#include <QIcon>
#include <QImage>

// A bitmap the build stores top-down and uncompressed is seen where it lies in the
// program's image, never decoded or copied; any other is decoded. Null when there is none.
QImage LoadBitmapResource(UINT id);
// The pixels of an uncompressed, top-down .bmp held in memory, of 24 bits or 32 (with alpha
// when a version 4 header's masks say so): seen in place when its rows are 32-bit aligned
// (the image then lives on that memory), else copied; null for any other kind of bitmap, or
// one that is cut short.
QImage ViewOfBitmap(const uchar* file, qsizetype size);
// A window's icon stops at 64 pixels: the window manager is handed every size at once, and
// larger ones only cost start-up.
constexpr int kWindowIconLargest = 64;
QIcon LoadIconResource(UINT id, int largest = 256);
