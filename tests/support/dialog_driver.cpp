// What the dialog driver does the same way on every backend: through the framework's own
// control calls.
#include "support/dialog_driver.h"

namespace drive {

void SetText(HWND dialog, int id, const std::string& text) {
    CWnd(Control(dialog, id)).SetWindowText(text);
}

std::string Text(HWND dialog, int id) {
    return CWnd(Control(dialog, id)).GetWindowText();
}

std::string Caption(HWND window) {
    return CWnd(window).GetWindowText();
}

} // namespace drive
