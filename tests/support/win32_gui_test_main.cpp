// Entry of the Win32 GUI test programs: COM and the common controls as the program starts
// them, the program's dialog templates.
#include "res/templates.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetDialogTemplates(ProgramDialogTemplate);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
