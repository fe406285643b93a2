#include "framework/skin.h"

// Windows draws its own look: the skin file is the Linux build's style sheet.
BOOL SkinInit(HINSTANCE, const char*, int, int) {
    return TRUE;
}
BOOL SkinLoadFile(const char*) {
    return TRUE;
}
BOOL SkinSetWindowSkin(HWND, const char*) {
    return TRUE;
}
BOOL SkinSetDialogSkin(const char*) {
    return TRUE;
}
