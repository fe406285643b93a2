#include "framework/msgbox.h"

#include "framework/backend.h"
#include "framework/win32/wide.h"
#include "framework/winapp.h"

int AfxMessageBox(const std::string& text, UINT type) {
    UINT style = (type & MB_ICONINFORMATION) ? MB_ICONINFORMATION : MB_ICONWARNING;
    style |= (type & MB_TYPEMASK) == MB_YESNO ? MB_YESNO | (type & MB_DEFBUTTON2) : MB_OK;
    return MessageBoxW(ModalOwner(), Wide(text).c_str(), Wide(AfxGetAppName()).c_str(), style);
}
