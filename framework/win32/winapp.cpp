#include "framework/winapp.h"

#include "framework/backend.h"
#include "framework/win32/wide.h"

#include <commctrl.h>
#include <objbase.h>

// The dialogs run their own loops; a message loop follows only when InitInstance asks.
int CWinApp::Run(int, char**) {
    if (m_pszAppName.empty())
        m_pszAppName = AfxGetAppName();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    const int code = ExitInstance();
    m_pMainWnd = nullptr;
    return code;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleW(nullptr);
}

std::string ProgramName() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return Utf8(name.substr(0, name.find_last_of(L'.')));
}

BOOL AfxOleInit() {
    return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}
