#include "framework/win32/native_shell.h"

#include "framework/win32/wide.h"

#include <shellapi.h>

#include <cwchar>

bool AddNotifyIcon(HWND window, UINT id, UINT callbackMessage, UINT iconResource,
                   const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    std::wcsncpy(data.szTip, Wide(tip).c_str(), std::size(data.szTip) - 1);
    return Shell_NotifyIconW(NIM_ADD, &data);
}

bool DeleteNotifyIcon(HWND window, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_DELETE, &data);
}

INT_PTR OpenWithShell(HWND owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int showCmd) {
    const std::wstring v = Wide(verb), f = Wide(file), p = Wide(parameters), d = Wide(directory);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(owner, v.c_str(), f.c_str(),
                                                   p.empty() ? nullptr : p.c_str(),
                                                   d.empty() ? nullptr : d.c_str(), showCmd));
}
