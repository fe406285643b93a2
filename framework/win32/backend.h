// The Win32 backend of the framework (Windows, cross-built with mingw-w64).
// Implements:
//  [x] the dialog windows of framework/backend.h: dialog boxes from templates built in
//      memory (DLGTEMPLATEEX), the system's modal loop and dialog manager (its keys, Tab,
//      the default button), timers, accelerators, the window's icon
//  [x] the system's own system menu, with what the program appends
//  [x] controls by id (CWnd); accessible names answered to screen readers through
//      WM_GETOBJECT; tool tips; painting with GDI (CPaintDC)
//  [x] message boxes (MessageBoxW), the save-as dialog, the application object
//  [x] the notification icon (Shell_NotifyIconW), the Run key, shell requests
//      (ShellExecuteW), speech (SAPI), eye protection's colours
//  [ ] the skin: Windows draws its own look; the skin file is the Qt backend's style sheet
//  [ ] the main window's first-paint report (CWinApp::OnMainWindowFirstPaint): the speech
//      engine starts with the first drill instead, and the start-up probe is the Qt build's
// Helpers shared by the backend's files. Private to the framework (its tests may use them).
#pragma once

#include <windows.h>

#include <string>

// Eye protection's soft green paper and dark text, as the Qt backend's skin has them.
constexpr COLORREF kEyePaper = RGB(0xcc, 0xe8, 0xcf);
constexpr COLORREF kEyeText = RGB(0x1c, 0x33, 0x22);
bool EyeProtectionOn();

// The window property that holds a running dialog's template id.
constexpr const wchar_t* kTemplateProperty = L"WordmillTemplate";

// Sets a control's text as the program: an edit reports no change of the learner's.
void SetTextAsProgram(HWND window, const std::wstring& text);

// The name screen readers announce for a control, instead of the one the system would
// give it; an empty name gives the system's back.
void NameForScreenReaders(HWND control, const std::wstring& name);
