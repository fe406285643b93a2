#include "framework/skin.h"

#include "framework/win32/backend.h"

// Windows draws its own look: the skin file is the Linux build's style sheet. Eye
// protection paints the dialogs (see dialog_window.cpp).
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

namespace {
bool g_eyeProtection = false;
} // namespace

void SkinSetEyeProtection(bool on) {
    g_eyeProtection = on;
    // Windows already open repaint in the new colours.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return TRUE;
        },
        0);
}

bool EyeProtectionOn() {
    return g_eyeProtection;
}
